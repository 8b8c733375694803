#pragma once
// ListPrinter: shows the list reports of the residents that the listing
// query Query1 holds in the print preview, headed by the neighbourhood row,
// and returns when the preview is closed.
class QWidget;

namespace zelvar {

class TDM2;
class TQRLabelForm;
class TQRList;
class TQRListForm;
struct OfficeRow;
struct Services;

class ListPrinter {
public:
    ListPrinter(TDM2& dm, Services& services) : m_dm(dm), m_services(services) {}

    void previewNameList(const TQRList& report);
    void previewDetailedList(const TQRListForm& report);
    void previewLabels(const TQRLabelForm& report);

    // The neighbourhood row as the lists print it.
    OfficeRow office() const;

private:
    TDM2& m_dm;
    Services& m_services;
};

} // namespace zelvar

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// IssuedDocumentLog: appends a line to a resident's log of issued documents
// (`Belgeler`), found by record number. It writes the stored row alone, so
// an edit the register window has pending is neither saved nor dropped by
// it; the register shows the new line once it is no longer editing.
#include <QString>

namespace zelvar {

class TDM2;

class IssuedDocumentLog {
public:
    explicit IssuedDocumentLog(TDM2& dm)
        : m_dm(dm)
    {
    }

    // False when no resident has that number (he was deleted meanwhile).
    bool append(int recordNumber, const QString& line);

private:
    void showInRegister();
    TDM2& m_dm;
};

} // namespace zelvar

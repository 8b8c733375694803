// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PrintedForms: the certificate and declaration report forms. The window
// factories make them once at start-up and keep them until the program ends,
// so that their run-time texts (photo, document number, purpose, reason,
// work-address lines) stay between runs.
#include "documents/TQRDeg.h"
#include "documents/TQRMDForm1.h"
#include "documents/TQRNuSu.h"
#include "documents/TQrIkamet.h"

namespace zelvar {

struct PrintedForms {
    TQRDeg idCardChange;
    TQrIkamet residence;
    TQRNuSu idCardCopy;
    TQRMDForm1 declaration;
};

} // namespace zelvar

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives the memory that a large job freed back to the system. The C library
// keeps freed memory for the next allocation, so after a preview, a PDF or
// an export of a whole register the program would stay as large as the job
// made it; the office machine has other programs to run.
namespace zelvar {

void returnFreedMemory();

} // namespace zelvar

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wait cursor for as long as the object lives: actions that may take
// longer than half a second on a large register (the filters, the whole
// table, the wipe) hold one, so that the user sees the program working while
// the one thread is busy. It is taken back however the action ends.
namespace zelvar {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace zelvar

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help: shows the help text at a numbered topic (333 main window, 102
// register window, 103 dwelling selection, 105 editor, 106 statistics).
namespace zelvar {

class Help {
public:
    virtual ~Help() = default;
    virtual void showTopic(int topic) = 0;
};

} // namespace zelvar

// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace vl {

// The system beep; tests replace it to count beeps in silence.
class Bip
{
public:
    static void Beep();
    // Replaces the beep by s from now on; empty restores the real one.
    static void remplacer(std::function<void()> s);

private:
    static std::function<void()> &source();
};

} // namespace vl

// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

namespace vl {

// A font by family and size in points at 96 dpi, so that text measures the same in twips on
// every screen; fontconfig resolves the family (a metric-compatible face where it can).
QFont police(const QString &famille, double points, bool gras = false, bool souligne = false);

} // namespace vl

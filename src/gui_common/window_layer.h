// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Put a window into, or take it out of, the layer above all other windows,
// without moving, resizing, showing or hiding it.
void setTopmost(QWidget& window);
void setNotTopmost(QWidget& window);

// Asks the window system to leave a shown window out of the task bar and
// the pager.
void keepOutOfTaskBar(QWidget& window);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own texts (standard dialogs, context menus, the command line's
// "Usage:"/"Options:") in German, as the rest of the program speaks. Call
// once the application object exists; without Debian's
// qt6-translations-l10n they stay English.
bool installGermanQtTranslation();

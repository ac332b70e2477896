// The studio's own words (menus, outline headers, dialogs, notes) in the host's language.
// The English text is the key; Japanese has a table of its own. The plug-in's words are
// the plug-in's and come from its string tables, never from here.
#pragma once

#include <string>

#include <QString>

namespace studio {

// english in lang ("en" or "ja"); a text without a Japanese entry stays English.
QString studio_word(std::string const& lang, char const* english);
// Qt's own texts (the file dialog, standard buttons) in lang, from Qt's translations when
// they are installed (qt6-translations-l10n).
void use_qt_words(std::string const& lang);

}  // namespace studio

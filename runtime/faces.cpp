// SPDX-License-Identifier: MIT
#include "runtime/faces.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include "runtime/notices.h"
#include "runtime/qtbridge.h"
#include "runtime/translations.h"

namespace rt {
namespace {

QStringList fallbacksOf(const Font& font) {
  QStringList faces;
  for (std::string_view face : font.fallbacks) faces << toQString(face);
  return faces;
}

// A face holds the text only in its own glyphs, not in those Qt would borrow from other faces.
bool holds(const QString& face, const QString& text) {
  QFont font(face);
  font.setStyleStrategy(QFont::NoFontMerging);
  if (QFontInfo(font).family().compare(face, Qt::CaseInsensitive) != 0) return false;
  const QFontMetrics metrics(font);
  for (const char32_t c : text.toUcs4())
    if (!metrics.inFontUcs4(c)) return false;
  return true;
}

}  // namespace

QFont toQFont(const Font& font) {
  QFont f = QApplication::font();
  if (font.face.empty()) return f;
  const QString face = toQString(font.face);
  QFont::insertSubstitutions(face, fallbacksOf(font));
  f.setFamily(face);
  f.setPointSizeF(font.points);
  f.setWeight(static_cast<QFont::Weight>(font.weight));
  // Whole-pixel hinting, as the classic runtime drew text. Light hinting would start FreeType's
  // autohinter, which loads hundreds of glyphs of a CJK face (1.5 MB of it resident) to size its
  // zones.
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

void ensureFaceHolds(const Font& font, const QString& text) {
  static QStringList asked;  // each face and text once: the answer stands for the run
  const QString face = toQString(font.face);
  if (face.isEmpty() || text.isEmpty() || asked.contains(face + '\n' + text)) return;
  asked << face + '\n' + text;
  const QStringList fallbacks = fallbacksOf(font);
  if (holds(face, text)) return;
  for (const QString& fallback : fallbacks)
    if (holds(fallback, text)) return;
  QString found;
  for (const QString& family : QFontDatabase::families()) {
    if (holds(family, text)) {
      found = family;
      break;
    }
  }
  if (found.isEmpty())
    return say(translate("Faces", "no installed font holds \"%1\"; it will not show as it should")
                   .arg(text));
  say(translate("Faces", "none of the faces %1 holds \"%2\"; using %3")
          .arg((QStringList(face) + fallbacks).join(QStringLiteral(", ")), text, found));
  QFont::removeSubstitutions(face);
  QFont::insertSubstitution(face, found);
}

}  // namespace rt

// SPDX-License-Identifier: MIT
#include "runtime/faces.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <cstdio>

#include "runtime/notices.h"
#include "runtime/qtbridge.h"

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
  const QByteArray shown = text.toUtf8();
  if (found.isEmpty()) {
    std::fprintf(stderr, "%s: no installed font holds \"%s\"; it will not show as it should\n",
                 programName().c_str(), shown.constData());
    return;
  }
  std::fprintf(stderr, "%s: none of the faces %s holds \"%s\"; using %s\n", programName().c_str(),
               (QStringList(face) + fallbacks).join(", ").toUtf8().constData(), shown.constData(),
               found.toUtf8().constData());
  std::fflush(stderr);
  QFont::removeSubstitutions(face);
  QFont::insertSubstitution(face, found);
}

}  // namespace rt

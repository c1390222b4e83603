#include "toolkit/FormatSettings.h"

#include <QLocale>
#include <QString>

#include <vector>

namespace toolkit {
namespace {

const FormatSettings* current = nullptr;

struct Token {
  QChar letter;
  qsizetype start;
  qsizetype length;
};

// The runs of pattern letters in a Qt date or time pattern, quoted literals skipped.
std::vector<Token> Tokens(const QString& pattern) {
  std::vector<Token> tokens;
  bool quoted = false;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (c == '\'') {
      quoted = !quoted;
      ++i;
      continue;
    }
    qsizetype end = i + 1;
    while (end < pattern.size() && pattern[end] == c) ++end;
    if (!quoted && c.isLetter()) tokens.push_back({c, i, end - i});
    i = end;
  }
  return tokens;
}

const Token* FindToken(const std::vector<Token>& tokens, QStringView letters) {
  for (const Token& token : tokens) {
    if (letters.contains(token.letter)) return &token;
  }
  return nullptr;
}

// The separator between two fields: the text between them less blanks, or the fallback.
std::string Between(const QString& pattern, const Token& first, const Token& second,
                    const char* fallback) {
  const qsizetype from = first.start + first.length;
  const QString text = pattern.mid(from, second.start - from).trimmed().remove('\'');
  return text.isEmpty() ? fallback : text.toStdString();
}

void ReadDatePattern(const QString& pattern, FormatSettings& settings) {
  std::vector<Token> fields;
  for (const Token& token : Tokens(pattern)) {
    if (token.letter == 'd' || token.letter == 'M' || token.letter == 'y') fields.push_back(token);
  }
  if (fields.size() < 3) return;
  const QChar first = fields[0].letter;
  settings.dateOrder = first == 'y'   ? DateOrder::YearMonthDay
                       : first == 'd' ? DateOrder::DayMonthYear
                                      : DateOrder::MonthDayYear;
  settings.dateSeparator = Between(pattern, fields[0], fields[1], "/");
  for (const Token& field : fields) {
    // Month names have no numeric form of their own: they are written as two digits.
    if (field.letter == 'd') settings.dayLeadingZero = field.length == 2;
    if (field.letter == 'M') settings.monthLeadingZero = field.length >= 2;
    if (field.letter == 'y') settings.fourDigitYear = field.length >= 4;
  }
}

void ReadTimePattern(const QString& pattern, FormatSettings& settings) {
  const std::vector<Token> tokens = Tokens(pattern);
  const Token* hour = FindToken(tokens, u"hH");
  const Token* minute = FindToken(tokens, u"m");
  if (hour == nullptr) return;
  const Token* designator = FindToken(tokens, u"aA");
  settings.hourLeadingZero = hour->length >= 2;
  settings.twelveHour = designator != nullptr;
  settings.designatorFirst = designator != nullptr && designator->start < hour->start;
  if (minute != nullptr) settings.timeSeparator = Between(pattern, *hour, *minute, ":");
}

}  // namespace

FormatSettings FormatSettings::FromLocale(const QLocale& locale) {
  FormatSettings settings;
  if (locale.language() == QLocale::C) return settings;
  ReadDatePattern(locale.dateFormat(QLocale::ShortFormat), settings);
  ReadTimePattern(locale.timeFormat(QLocale::ShortFormat), settings);
  if (!locale.amText().isEmpty()) settings.amDesignator = locale.amText().toStdString();
  if (!locale.pmText().isEmpty()) settings.pmDesignator = locale.pmText().toStdString();
  return settings;
}

const FormatSettings& CurrentFormatSettings() {
  static const FormatSettings system = FormatSettings::FromLocale(QLocale::system());
  return current != nullptr ? *current : system;
}

ScopedFormatSettings::ScopedFormatSettings(const FormatSettings& settings)
    : previous_(current), settings_(settings) {
  current = &settings_;
}

ScopedFormatSettings::~ScopedFormatSettings() {
  current = previous_;
}

}  // namespace toolkit

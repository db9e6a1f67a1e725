#include "ui/HelpFile.h"

#include <QRegularExpression>

#include "ui/TextCodec.h"

namespace vael::ui {
namespace {

// "@topic", a number, and an optional title after one or more blanks.
const QRegularExpression kTopicLine(QStringLiteral("^@topic[ \\t]+([0-9]+)(?:[ \\t]+(.*))?$"));

// Paragraphs from text lines: blank lines split them, "- " lines break.
QString ParagraphsHtml(const QStringList& lines) {
  QString html;
  QString paragraph;
  auto flush = [&]() {
    if (!paragraph.isEmpty()) html += QStringLiteral("<p>") + paragraph + QStringLiteral("</p>");
    paragraph.clear();
  };
  for (const QString& line : lines) {
    const QString text = line.trimmed();
    if (text.isEmpty()) {
      flush();
      continue;
    }
    if (!paragraph.isEmpty()) {
      paragraph += text.startsWith(QStringLiteral("- ")) ? QStringLiteral("<br>") : QStringLiteral(" ");
    }
    paragraph += text.toHtmlEscaped();
  }
  flush();
  return html;
}

}  // namespace

const HelpTopic* HelpDocument::Find(int number) const {
  for (const HelpTopic& topic : topics) {
    if (topic.number == number) return &topic;
  }
  return nullptr;
}

HelpDocument ParseHelpText(std::string_view bytes) {
  HelpDocument document;
  QStringList* target = &document.introduction;
  const QStringList lines = FromTextFile(bytes).split(QLatin1Char('\n'));
  for (QString line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.startsWith(QStringLiteral("//"))) continue;
    const QRegularExpressionMatch match = kTopicLine.match(line);
    bool ok = false;
    const int number = match.hasMatch() ? match.captured(1).toInt(&ok) : 0;
    if (ok && number >= 1) {
      document.topics.push_back(HelpTopic{number, match.captured(2).trimmed(), {}});
      target = &document.topics.back().lines;
      continue;
    }
    target->append(line);
  }
  return document;
}

QString ContentsHtml(const HelpDocument& document) {
  QString html = ParagraphsHtml(document.introduction);
  if (document.topics.empty()) return html;
  html += QStringLiteral("<h3>Contents</h3><ul>");
  for (const HelpTopic& topic : document.topics) {
    const QString title = topic.title.isEmpty() ? QStringLiteral("Topic %1").arg(topic.number)
                                                : topic.title;
    html += QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>")
                .arg(topic.number)
                .arg(title.toHtmlEscaped());
  }
  html += QStringLiteral("</ul>");
  return html;
}

QString TopicHtml(const HelpTopic& topic) {
  return QStringLiteral("<h2>") + topic.title.toHtmlEscaped() + QStringLiteral("</h2>") +
         ParagraphsHtml(topic.lines);
}

}  // namespace vael::ui

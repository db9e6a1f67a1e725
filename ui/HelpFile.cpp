#include "ui/HelpFile.h"

#include "catalogue/HelpText.h"

namespace vael::ui {
namespace {

QStringList FromUtf8Lines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list.append(QString::fromStdString(line));
  return list;
}

// Paragraphs from text lines, as the catalogue splits them: blank lines
// split them, "- " lines break.
QString ParagraphsHtml(const QStringList& lines) {
  std::vector<std::string> utf8;
  for (const QString& line : lines) utf8.push_back(line.toStdString());
  QString html;
  for (const HelpParagraph& paragraph : HelpParagraphs(utf8)) {
    QStringList shown;
    for (const std::string& line : paragraph) shown.append(QString::fromStdString(line).toHtmlEscaped());
    html += QStringLiteral("<p>") + shown.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
  }
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
  const vael::HelpDocument parsed = vael::ParseHelpText(bytes);
  HelpDocument document;
  document.introduction = FromUtf8Lines(parsed.introduction);
  for (const vael::HelpTopic& topic : parsed.topics) {
    document.topics.push_back(
        HelpTopic{topic.number, QString::fromStdString(topic.title), FromUtf8Lines(topic.lines)});
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

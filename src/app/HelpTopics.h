#pragma once

#include <QHash>
#include <QString>

namespace vardex {

// The topic at which the help opens from the main menu.
inline constexpr const char *kHelpStartTopic = "Postup zpracování";

// The help is a folder of HTML pages with an index "topics.txt" (UTF-8) of
// "topic=file" lines; empty lines and lines starting with "#" are skipped.
inline constexpr const char *kHelpTopicsFile = "topics.txt";

// The "topic=file" lines as topic → file name (both trimmed).
QHash<QString, QString> parseHelpTopics(const QString &text);

struct HelpPage
{
    bool ok = false;
    QString path;  // the page's full path when ok
    QString error; // Czech reason when !ok
};

// The page of `topic` in the help folder `helpDir`.
HelpPage findHelpPage(const QString &helpDir, const QString &topic);

// The help folder: "help" next to the executable when it holds a topic
// index, else `fallbackDir` when that does; empty when neither.
QString locateHelpDir(const QString &exeDir, const QString &fallbackDir = {});

} // namespace vardex

#pragma once

// What a generate made: the files, each with its folder and its XML a click away, and what failed.

#include <QDialog>
#include <vector>

#include "desk/generate/generate_job.h"

namespace desk {

// One line per organization: the file's path, or why there is none. For a written file, buttons
// open its folder and show the XML.
class ResultDialog : public QDialog {
    Q_OBJECT
public:
    ResultDialog(const std::vector<GenerateOutcome>& outcomes, QWidget* parent = nullptr);
};

// The declaration as text (its windows-1251 read as such), read-only.
class XmlViewDialog : public QDialog {
    Q_OBJECT
public:
    XmlViewDialog(const QString& path, QWidget* parent = nullptr);
};

// One organization's outcome in a sentence.
QString outcomeText(const GenerateOutcome& outcome);

}  // namespace desk

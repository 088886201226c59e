#pragma once

// The formats the preview saves a report in, and the dialog that asks for the file.

#include <QList>
#include <QString>

class QWidget;

namespace desk {

struct ExportFormat {
    QString extension;  // "pdf"
    QString title;      // as the menu and the dialog's filter name it
};

// PDF, XLSX, HTML, RTF: what host::exportReport writes.
const QList<ExportFormat>& exportFormats();

// Asks where to save, starting from the suggested path, whose extension picks the format. A name
// typed without an extension gets the chosen format's. Empty when the user cancels.
QString askExportFile(QWidget* parent, const QString& suggestedPath);

}  // namespace desk

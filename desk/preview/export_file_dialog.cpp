// The file dialog of the preview's export, one filter per format.
#include "desk/preview/export_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace desk {
namespace {

QString filterOf(const ExportFormat& format) {
    return QStringLiteral("%1 (*.%2)").arg(format.title, format.extension);
}

// The name without the extension of one of the formats; any other dot stays in the name.
QString withoutFormatExtension(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (const ExportFormat& format : exportFormats())
        if (format.extension.compare(suffix, Qt::CaseInsensitive) == 0) return fileName.chopped(suffix.size() + 1);
    return fileName;
}

}  // namespace

const QList<ExportFormat>& exportFormats() {
    static const QList<ExportFormat> formats{
        {QStringLiteral("pdf"), QStringLiteral("Документ PDF")},
        {QStringLiteral("xlsx"), QStringLiteral("Книга Excel")},
        {QStringLiteral("html"), QStringLiteral("Веб-страница HTML")},
        {QStringLiteral("rtf"), QStringLiteral("Документ RTF")},
    };
    return formats;
}

QString askExportFile(QWidget* parent, const QString& suggestedPath) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить печатную форму"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const ExportFormat& format : exportFormats()) filters << filterOf(format);
    dialog.setNameFilters(filters);
    const QFileInfo suggested(suggestedPath);
    dialog.setDirectory(suggested.absolutePath());
    for (const ExportFormat& format : exportFormats()) {
        if (format.extension.compare(suggested.suffix(), Qt::CaseInsensitive) != 0) continue;
        dialog.selectNameFilter(filterOf(format));
        dialog.setDefaultSuffix(format.extension);
    }
    dialog.selectFile(suggested.fileName());
    // Another format chosen: the name typed so far takes its extension, so the file is what the
    // filter says.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        for (const ExportFormat& format : exportFormats()) {
            if (filter != filterOf(format)) continue;
            dialog.setDefaultSuffix(format.extension);
            const QStringList chosen = dialog.selectedFiles();
            if (!chosen.isEmpty() && !QFileInfo(chosen.first()).isDir())
                dialog.selectFile(withoutFormatExtension(QFileInfo(chosen.first()).fileName()) + QLatin1Char('.') +
                                  format.extension);
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace desk

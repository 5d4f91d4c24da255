// The account list window's export: the accounts of the last search, with or
// without their properties, to a comma-separated file named in a save dialog.
#include "frmNTAccList.h"

#include "ExportLines.h"
#include "SearchText.h"

#include "app/AppContext.h"
#include "app/Seams.h"
#include "directory/AccountRead.h"
#include "directory/ServerResolution.h"
#include "platform/FileDialogs.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
constexpr qint64 CountEveryMs = 40;

bool writeLine(QFile &file, const QString &line)
{
    return file.write((line + LineEnd).toUtf8()) >= 0;
}

} // namespace

void frmNTAccList::BUTTON_Export_Click()
{
    const bool withProperties =
        seams::messageBox(QStringLiteral("Do you wish to include all properties for each "
                                         "account?\n\nWarning; If [Yes] the export may take "
                                         "several minutes"),
                          seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Include Details")) == seams::Yes;
    const QString path = platform::fileDialogs().saveFile(
        QStringLiteral("Save As..."), QStringLiteral("CSV File (*.csv)"),
        platform::system().tempDirectory());
    if (path.isEmpty())
        return;

    m_cancelExport = false;
    beginTask();
    BUTTON_Export->hide();
    BUTTON_Cancel->show();
    BUTTON_Cancel->setEnabled(true);
    LABEL_Items->setText(QStringLiteral("Working...") + QString::number(LIST_Items->count()));
    seams::setPointer(seams::Pointer::Wait);
    repaint();

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        seams::setPointer(seams::Pointer::Default);
        seams::messageBox(QStringLiteral("Error saving file to disk, ") + file.errorString(),
                          seams::OkOnly, seams::Critical, AppTitle + QStringLiteral(" : Error"));
    } else if (!writeExport(file, withProperties)) {
        seams::messageBox(QStringLiteral("Error saving file to disk, ") + file.errorString(),
                          seams::OkOnly, seams::Critical, AppTitle + QStringLiteral(" : Error"));
    }
    file.close();
    endExport();
}

void frmNTAccList::BUTTON_Cancel_Click()
{
    m_cancelExport = true;
    requestStop();
}

// False when a line could not be written.
bool frmNTAccList::writeExport(QFile &file, bool withProperties)
{
    for (const QString &line : Export_Header(seams::now(), withProperties, m_searchKind)) {
        if (!writeLine(file, line))
            return false;
    }
    m_exportDomain.clear();
    m_exportServer.clear();
    const int count = LIST_Items->count();
    // The count is repainted a few dozen times a second, not once per entry:
    // painting every entry would cost more than reading it.
    QElapsedTimer sinceCount;
    for (int i = 0; i < count; ++i) {
        if (i == 0 || sinceCount.hasExpired(CountEveryMs)) {
            LABEL_Items->setText(QStringLiteral("Working...") + QString::number(count - i));
            sinceCount.start();
        }
        seams::doEvents();
        if (!writeLine(file, exportLine(LIST_Items->item(i)->text(), withProperties)))
            return false;
        // A Cancel or a close stops after the entry in hand.
        if (m_cancelExport || !letEventsRun())
            break;
    }
    return file.flush();
}

QString frmNTAccList::exportLine(const QString &entry, bool withProperties)
{
    if (!withProperties)
        return entry;
    const ListEntry parts = Split_ListEntry(entry);
    // The list is sorted as text, so the domains of its entries interleave:
    // the controller is asked again at each change of domain.
    if (parts.domain != m_exportDomain || m_exportDomain.isEmpty()) {
        m_exportDomain = parts.domain;
        m_exportServer = Get_DCName(parts.domain, {});
    }
    // Without a controller the local machine would answer, and could give a
    // same-named local account's properties as the domain account's.
    if (m_exportServer.isEmpty())
        return entry;
    QString name = parts.name;
    QVariantList values;
    UserFlags flags;
    const int32_t status = Get_AccountInfo(name, m_exportServer, m_searchKind, values, false,
                                           flags.cannotChange, flags.neverExpires,
                                           flags.disabled, flags.lockedOut);
    if (status != 0)
        return entry;
    return m_searchKind == 1 ? Computer_ExportLine(entry, values)
                             : User_ExportLine(entry, values, flags);
}

void frmNTAccList::endExport()
{
    m_cancelExport = false;
    BUTTON_Cancel->hide();
    BUTTON_Export->show();
    showItemCount();
    seams::setPointer(seams::Pointer::Default);
    endTask();
}

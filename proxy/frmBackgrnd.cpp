#include "frmBackgrnd.h"

#include "app/AppContext.h"
#include "app/Seams.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char *const Lines[] = {
    "Required Member...Local Administrators Group",
    "Required Policy...Replace Process Level Token",
    "Required Policy...Logon As Batch Job",
    "Required Policy...Act As Operating System",
    "Configuring Proxy Rights, Please Wait...",
};

int bandHeight(int height) { return std::max(1, int(height / 64.0 + 0.5)); }

} // namespace

frmBackgrnd::frmBackgrnd(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmBackgrnd"));
    setWindowTitle(AppTitle);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    for (int i = 0; i < 5; ++i) {
        LABEL_Backgrnd[i] = new QLabel(QString::fromLatin1(Lines[i]), this);
        LABEL_Backgrnd[i]->setObjectName(QStringLiteral("LABEL_Backgrnd"));
        LABEL_Backgrnd[i]->setAlignment(Qt::AlignCenter);
        QFont font = LABEL_Backgrnd[i]->font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        font.setBold(i == 4);
        LABEL_Backgrnd[i]->setFont(font);
        layout->addWidget(LABEL_Backgrnd[i]);
        if (i == 3)
            layout->addSpacing(24);
    }
    layout->addStretch();
    // The background of the whole screen while the set-up runs.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
}

void frmBackgrnd::showOnTop()
{
    show();
    raise();
    seams::doEvents();
}

int frmBackgrnd::greyAt(int y, int height)
{
    if (height <= 0)
        return 240;
    const int band = bandHeight(height);
    const int top = y / band * band;
    return std::max(0, 240 - top * 245 / height);
}

void frmBackgrnd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int h = height();
    const int band = bandHeight(h);
    for (int y = 0; y < h; y += band) {
        const int grey = greyAt(y, h);
        painter.fillRect(0, y, width(), band, QColor(grey, grey, grey));
    }
}

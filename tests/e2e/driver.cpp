#include "e2e/driver.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>

const QString Driver::kMainCaption = QStringLiteral("Torvane Hoopwright (Touch Panel Compatible) Version 2.0");

bool isBallOrange(QRgb c)
{
    return qRed(c) > 170 && qGreen(c) > 60 && qGreen(c) < 175 && qBlue(c) < 100 && qRed(c) - qGreen(c) > 50;
}

bool isAllyRed(QRgb c)
{
    return qRed(c) > 190 && qGreen(c) < 90 && qBlue(c) < 90;
}

bool isEnemyBlue(QRgb c)
{
    return qRed(c) < 60 && qGreen(c) > 120 && qGreen(c) < 200 && qBlue(c) > 190;
}

namespace {

// The buttons' dark grey, as the compositor shows it at the main window's opacity of 250.
bool isButtonGrey(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    return qAbs(r - g) <= 2 && qAbs(g - b) <= 2 && r >= 0x38 && r <= 0x44;
}

} // namespace

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (condition())
            return true;
        XSession::pause(50);
    }
    return condition();
}

QString recordPath(const QString &dataHome)
{
    return QDir(dataHome).filePath(QStringLiteral("Torvane/C/SAVE/KW/kw010.txt"));
}

void writeRecord(const QString &dataHome, int daysAgo)
{
    const QString path = recordPath(dataHome);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    // At midnight the date-time text is the short date alone.
    const QDate first = QDate::currentDate().addDays(-daysAgo);
    file.write(("https://www.torvane.example.com/\r\nDeveloper: Mara Quill\r\nhttps://social.example.com/torvane\r\n"
                "Hoopwright\r\n"
        + QLocale::system().toString(first, QLocale::ShortFormat) + "\r\n")
                   .toUtf8());
}

QString Driver::recordPath() const
{
    return ::recordPath(x.dataHome());
}

void Driver::writeRecord(int daysAgo)
{
    ::writeRecord(x.dataHome(), daysAgo);
}

bool Driver::startToMainWindow(int daysAgo)
{
    writeRecord(daysAgo);
    process = x.startProgram();
    mainWindow = x.waitForWindow(kMainCaption, 30000);
    return !mainWindow.isEmpty() && findStrip();
}

bool Driver::findStrip()
{
    // The label-buttons are dark grey: the first such row under the menu bar is the top of
    // the strip's buttons, 120 twips (8 px) below the strip's top. The grey goes on down the
    // button, where a grey pixel of a caption's lettering above would not.
    const QRect client = x.geometry(mainWindow);
    const int column = client.left() + 100;
    for (int attempt = 0; attempt < 40; ++attempt) {
        const QImage shot = x.screenshot();
        for (int y = client.top(); y < client.top() + 120 && y + 20 < shot.height(); ++y) {
            if (isButtonGrey(shot.pixel(column, y)) && isButtonGrey(shot.pixel(column, y + 20))) {
                strip = QPoint(client.left(), y - 8);
                return true;
            }
        }
        XSession::pause(150);
    }
    return false;
}

QPoint Driver::button(int index) const
{
    // Left 120 twips and a pitch of 2880; 2775 by 735 twips each.
    return strip + QPoint(8 + index * 192 + 92, 8 + 24);
}

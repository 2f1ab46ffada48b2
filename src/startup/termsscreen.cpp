#include "startup/termsscreen.h"

#include "mainwindow/mainwindow.h"
#include "resources/maker.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "startup/firstuserecord.h"
#include "widgets/controls.h"
#include "widgets/units.h"

#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

const QString TermsScreen::kPhotoPage = maker::kPhotoPage;

namespace {
const QString kExit = QStringLiteral("E&xit");
const QString kAccept = QStringLiteral("Ac&cept");
} // namespace

TermsScreen::TermsScreen(Program &program)
    : PictureWindow("terms_background", Qt::black, layouts::kTermsWidth, layouts::kTermsHeight)
    , program_(program)
{
    using layouts::find;
    const auto &layout = layouts::terms;
    setWindowTitle(QStringLiteral("Form1"));
    setFont(scale().font("Tahoma", 11.25));
    auto caption = [&](const char *name) { return QString::fromLatin1(find(layout, name).content); };

    decisionButton = new QPushButton(caption("decisionButton"), this);
    place(decisionButton, find(layout, "decisionButton"), scale());
    decisionButton->setAutoDefault(true); // Enter presses it while it has the focus, as Space does
    decisionButton->setStyleSheet(QStringLiteral("QPushButton { background-color: #c0c0ff; color: black;"
                                                 " border: 1px solid #404060; }"
                                                 "QPushButton:focus { border: 2px solid black; }"
                                                 "QPushButton:pressed { background-color: #a8a8f0; }"));

    acceptCheck = new CheckBox(caption("acceptCheck"), this);
    place(acceptCheck, find(layout, "acceptCheck"), scale());
    acceptCheck->setAutoFillBackground(true);
    acceptCheck->setBackgroundRole(QPalette::Base);
    acceptCheck->setForegroundRole(QPalette::Text);

    notice = new QLabel(caption("notice"), this);
    place(notice, find(layout, "notice"), scale());
    notice->setFont(scale().font("Tahoma", 9, true));
    notice->setWordWrap(true);
    notice->setStyleSheet(QStringLiteral("background: transparent; color: black;"));
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    agreementText = new QPlainTextEdit(this);
    place(agreementText, find(layout, "agreementText"), scale());
    agreementText->setPlainText(resources::text("agreement.txt").replace(QLatin1String("\r\n"), QLatin1String("\n")));
    agreementText->setFont(scale().font("Palatino Linotype", 9.75));
    agreementText->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #c0c0ff; color: black; }"));
    agreementText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    agreementText->setFocusPolicy(Qt::ClickFocus);
    agreementText->setContextMenuPolicy(Qt::NoContextMenu);
    agreementText->setReadOnly(true); // also against input methods and drops
    agreementText->setUndoRedoEnabled(false);
    agreementText->setAcceptDrops(false);
    agreementText->setAccessibleName(QStringLiteral("End User License Agreement"));
    agreementText->installEventFilter(this);

    recordItems = new QListWidget(this);
    place(recordItems, find(layout, "recordItems"), scale());
    recordItems->hide();

    firstUseText = new QLineEdit(this);
    place(firstUseText, find(layout, "firstUseText"), scale());
    firstUseText->hide();

    usageText = new QLineEdit(this);
    place(usageText, find(layout, "usageText"), scale());
    usageText->hide();

    heading = new QLabel(caption("heading"), this);
    place(heading, find(layout, "heading"), scale());
    heading->setFont(scale().font("Tahoma", 14.25));
    heading->setStyleSheet(QStringLiteral("background: transparent; color: white;"));

    // The focus moves only between the button and the check box.
    for (QWidget *w : std::initializer_list<QWidget *> { notice, heading, recordItems, firstUseText, usageText })
        w->setFocusPolicy(Qt::NoFocus);
    setTabOrder(decisionButton, acceptCheck);
    setTabOrder(acceptCheck, decisionButton);

    program_.attach(acceptCheck, &QCheckBox::stateChanged, this, [this] { toggleAcceptance(); });
    program_.attach(decisionButton, &QPushButton::clicked, this, [this] { exitOrAccept(); });
    decisionButton->setFocus();
}

void TermsScreen::load()
{
    const FirstUseRecord record(program_.services());
    if (!record.exists()) {
        record.write(program_.services().now());
        // The first run's usage sentence: first use today.
        usageText->setText(FirstUseRecord::usageSentence(0));
        return;
    }
    const QStringList items = record.readItems();
    recordItems->addItems(items);
    std::optional<int> days;
    if (recordItems->count() > 4) {
        recordItems->setCurrentRow(4);
        firstUseText->setText(recordItems->currentItem()->text());
        days = record.usageDays(firstUseText->text(), program_.services().now().date());
    }
    usageText->setText(FirstUseRecord::usageSentence(days));
    openMainWindow();
}

void TermsScreen::toggleAcceptance()
{
    decisionButton->setText(acceptCheck->checkState() == Qt::Checked ? kAccept : kExit);
}

void TermsScreen::exitOrAccept()
{
    if (decisionButton->text() == kExit) {
        // Refusing leaves no record behind, so the next start asks again.
        QFile::remove(program_.hostPath(FirstUseRecord::kRecord));
        program_.endAtOnce();
    }
    program_.services().openWebAddress(this, kPhotoPage);
    openMainWindow();
}

void TermsScreen::openMainWindow()
{
    program_.mainWindow.createIfNeeded()->usageSentence->setText(usageText->text());
    program_.mainWindow.show();
    program_.termsScreen.unload();
}

void TermsScreen::passFocusToButton()
{
    decisionButton->setFocus();
}

void TermsScreen::dropTypedKey(int &key)
{
    key = 0;
}

bool TermsScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == agreementText) {
        if (event->type() == QEvent::FocusIn) {
            program_.handle([this] { passFocusToButton(); });
        } else if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent *>(event)->text();
            int code = typed.isEmpty() ? 0 : typed.at(0).unicode();
            program_.handle([&] { dropTypedKey(code); });
            if (code == 0)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

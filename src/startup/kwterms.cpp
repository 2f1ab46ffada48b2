#include "startup/kwterms.h"

#include "app/controls.h"
#include "app/form1.h"
#include "app/program.h"
#include "app/units.h"
#include "resources/maker.h"
#include "resources/resources.h"
#include "startup/firstuserecord.h"

#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

const QString kwTerms::kPhotoPage = maker::kPhotoPage;

namespace {
const QString kExit = QStringLiteral("E&xit");
const QString kAccept = QStringLiteral("Ac&cept");
} // namespace

kwTerms::kwTerms(Program &program)
    : PictureWindow("terms_background", Qt::black, layouts::kTermsWidth, layouts::kTermsHeight)
    , program_(program)
{
    using layouts::find;
    const auto &layout = layouts::terms;
    setWindowTitle(QStringLiteral("Form1"));
    setFont(units::font("Tahoma", 11.25));
    auto caption = [&](const char *name) { return QString::fromLatin1(find(layout, name).content); };

    Command1 = new QPushButton(caption("Command1"), this);
    place(Command1, find(layout, "Command1"));
    Command1->setStyleSheet(QStringLiteral("QPushButton { background-color: #c0c0ff; color: black;"
                                           " border: 1px solid #404060; }"
                                           "QPushButton:focus { border: 2px solid black; }"
                                           "QPushButton:pressed { background-color: #a8a8f0; }"));

    Check1 = new QCheckBox(caption("Check1"), this);
    place(Check1, find(layout, "Check1"));
    Check1->setAutoFillBackground(true);
    Check1->setBackgroundRole(QPalette::Base);
    Check1->setForegroundRole(QPalette::Text);

    Label1 = new QLabel(caption("Label1"), this);
    place(Label1, find(layout, "Label1"));
    Label1->setFont(units::font("Tahoma", 9, true));
    Label1->setWordWrap(true);
    Label1->setStyleSheet(QStringLiteral("background: transparent; color: black;"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Text1 = new QPlainTextEdit(this);
    place(Text1, find(layout, "Text1"));
    Text1->setPlainText(resources::text("agreement.txt").replace(QLatin1String("\r\n"), QLatin1String("\n")));
    Text1->setFont(units::font("Palatino Linotype", 9.75));
    Text1->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #c0c0ff; color: black; }"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFocusPolicy(Qt::ClickFocus);
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Text1->setReadOnly(true); // also against input methods and drops
    Text1->setUndoRedoEnabled(false);
    Text1->setAcceptDrops(false);
    Text1->setAccessibleName(QStringLiteral("End User License Agreement"));
    Text1->installEventFilter(this);

    lstEmployee = new QListWidget(this);
    place(lstEmployee, find(layout, "lstEmployee"));
    lstEmployee->hide();

    Text2 = new QLineEdit(caption("Text2"), this);
    place(Text2, find(layout, "Text2"));
    Text2->hide();

    Text3 = new QLineEdit(caption("Text3"), this);
    place(Text3, find(layout, "Text3"));
    Text3->hide();

    Label2 = new QLabel(caption("Label2"), this);
    place(Label2, find(layout, "Label2"));
    Label2->setFont(units::font("Tahoma", 14.25));
    Label2->setStyleSheet(QStringLiteral("background: transparent; color: white;"));

    // The focus moves only between the button and the check box.
    for (QWidget *w : std::initializer_list<QWidget *> { Label1, Label2, lstEmployee, Text2, Text3 })
        w->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Command1, Check1);
    setTabOrder(Check1, Command1);

    connect(Check1, &QCheckBox::stateChanged, this, [this] { program_.handle([this] { Check1_Click(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { program_.handle([this] { Command1_Click(); }); });
    Command1->setFocus();
}

void kwTerms::Form_Load()
{
    const FirstUseRecord record(program_.services());
    if (!record.RecordExists()) {
        record.WriteRecord(program_.services().now());
        // The first run's usage sentence: first use today.
        Text3->setText(FirstUseRecord::UsageSentence(0));
        return;
    }
    const QStringList items = record.ReadItems();
    lstEmployee->addItems(items);
    std::optional<int> days;
    if (lstEmployee->count() > 4) {
        lstEmployee->setCurrentRow(4);
        Text2->setText(lstEmployee->currentItem()->text());
        days = record.UsageDays(Text2->text(), program_.services().now().date());
    }
    Text3->setText(FirstUseRecord::UsageSentence(days));
    galt();
}

void kwTerms::Check1_Click()
{
    Command1->setText(Check1->checkState() == Qt::Checked ? kAccept : kExit);
}

void kwTerms::Command1_Click()
{
    if (Command1->text() == kExit) {
        // Refusing leaves no record behind, so the next start asks again.
        QFile::remove(program_.hostPath(FirstUseRecord::kRecord));
        program_.End();
    }
    program_.services().openWebAddress(this, kPhotoPage);
    galt();
}

void kwTerms::galt()
{
    program_.Form1->kwIns->setText(Text3->text());
    program_.Form1.Show();
    program_.kwTerms.Unload();
}

void kwTerms::Text1_GotFocus()
{
    Command1->setFocus();
}

void kwTerms::Text1_KeyPress(int &KeyAscii)
{
    KeyAscii = 0;
}

bool kwTerms::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1) {
        if (event->type() == QEvent::FocusIn) {
            program_.handle([this] { Text1_GotFocus(); });
        } else if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent *>(event)->text();
            int code = typed.isEmpty() ? 0 : typed.at(0).unicode();
            program_.handle([&] { Text1_KeyPress(code); });
            if (code == 0)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

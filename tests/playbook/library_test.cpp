#include "play/library.h"
#include "play/playfile.h"
#include "playbook/librarymodel.h"
#include "playbook/librarypane.h"
#include "playbook/tagsdialog.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

play::Play taggedPlay(const QStringList &tags, const QString &note)
{
    play::Play result = play::newPlay(play::Court::Half);
    result.tags = tags;
    result.steps.first().note = note;
    return result;
}

// A folder of three plays and a file that is not one, listed by a model and shown in a pane.
class Library : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(folder.isValid());
        write(QStringLiteral("Horns"), { QStringLiteral("Man offence") }, QStringLiteral("Lob to the post"));
        write(QStringLiteral("Box"), { QStringLiteral("Inbounds") }, QStringLiteral("Screen the screener"));
        write(QStringLiteral("Zone 23"), { QStringLiteral("Zone offence") }, QStringLiteral("Skip pass"));
        QFile notes(folder.filePath(QStringLiteral("notes.txt")));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        model.setSettleInterval(10);
        model.setFolder(folder.path());
        model.waitForIdle();
    }

    void write(const QString &name, const QStringList &tags, const QString &note)
    {
        ASSERT_EQ(play::writePlayFile(taggedPlay(tags, note), path(name)), QString());
    }

    QString path(const QString &name) const { return play::playPath(folder.path(), name); }

    QStringList names() const
    {
        QStringList result;
        for (int row = 0; row < model.rowCount(); ++row)
            result.append(model.index(row).data().toString());
        result.sort();
        return result;
    }

    QStringList shown() const
    {
        QStringList result;
        QAbstractItemModel *list = pane.view()->model();
        for (int row = 0; row < list->rowCount(); ++row)
            result.append(list->index(row, 0).data().toString());
        return result;
    }

    QStringList filesOnDisk() const
    {
        return QDir(folder.path()).entryList({ QStringLiteral("*.hwplay") }, QDir::Files, QDir::Name);
    }

    QTemporaryDir folder;
    LibraryModel model;
    LibraryPane pane { model };
};

TEST_F(Library, ListsThePlayFilesWithTheirTagsAndLastChange)
{
    EXPECT_EQ(names(), (QStringList { QStringLiteral("Box"), QStringLiteral("Horns"), QStringLiteral("Zone 23") }));
    const QModelIndex horns = model.indexOf(path(QStringLiteral("Horns")));
    ASSERT_TRUE(horns.isValid());
    EXPECT_TRUE(horns.data(LibraryModel::ReadRole).toBool());
    EXPECT_EQ(horns.data(LibraryModel::TagsRole).toStringList(), QStringList { QStringLiteral("Man offence") });
    EXPECT_EQ(
        horns.data(LibraryModel::ModifiedRole).toDateTime(), QFileInfo(path(QStringLiteral("Horns"))).lastModified());
    EXPECT_TRUE(horns.data(LibraryModel::ErrorRole).toString().isEmpty());
    // Sorted as a person sorts: by name, numbers by their value.
    write(QStringLiteral("Zone 4"), {}, {});
    model.rescan();
    EXPECT_EQ(shown(),
        (QStringList {
            QStringLiteral("Box"), QStringLiteral("Horns"), QStringLiteral("Zone 4"), QStringLiteral("Zone 23") }));
}

TEST_F(Library, ABrokenPlayShowsWhyAndTheOthersStillList)
{
    QFile broken(path(QStringLiteral("Torn")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{ \"format\": \"hoopwright-play\", ");
    broken.close();
    model.rescan();
    model.waitForIdle();
    const QModelIndex torn = model.indexOf(broken.fileName());
    ASSERT_TRUE(torn.isValid());
    const QString reason = play::readPlayFile(broken.fileName()).error;
    EXPECT_EQ(torn.data(LibraryModel::ErrorRole).toString(), reason);
    EXPECT_TRUE(torn.data(Qt::ToolTipRole).toString().contains(reason));
    // No thumbnail is asked for, now or later, and the other plays still draw theirs.
    EXPECT_TRUE(torn.data(LibraryModel::ThumbnailRole).value<QImage>().isNull());
    model.index(0).data(LibraryModel::ThumbnailRole);
    model.waitForIdle();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_TRUE(torn.data(LibraryModel::ThumbnailRole).value<QImage>().isNull());
}

struct SearchCase {
    const char *text;
    QStringList found;
};

TEST_F(Library, SearchFindsNamesTagsAndNotes)
{
    const SearchCase cases[] = {
        { "horns", { QStringLiteral("Horns") } }, // a name, whatever the case
        { "inbounds", { QStringLiteral("Box") } }, // a tag
        { "skip", { QStringLiteral("Zone 23") } }, // a note
        { "offence", { QStringLiteral("Horns"), QStringLiteral("Zone 23") } },
        { "offence lob", { QStringLiteral("Horns") } }, // every word
        { "press", {} },
        { "", { QStringLiteral("Box"), QStringLiteral("Horns"), QStringLiteral("Zone 23") } },
    };
    for (const SearchCase &c : cases) {
        pane.searchField()->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(shown(), c.found) << c.text;
    }
    pane.searchField()->setText(QStringLiteral("press"));
    EXPECT_EQ(pane.message(), QStringLiteral("No play matches the search."));
}

TEST_F(Library, RenamesTheFileOrSaysWhyNot)
{
    const QModelIndex horns = model.indexOf(path(QStringLiteral("Horns")));
    QSignalSpy renamed(&model, &LibraryModel::renamed);
    EXPECT_EQ(model.rename(horns, QStringLiteral("Horns Twist")), QString());
    EXPECT_EQ(filesOnDisk(),
        (QStringList {
            QStringLiteral("Box.hwplay"), QStringLiteral("Horns Twist.hwplay"), QStringLiteral("Zone 23.hwplay") }));
    EXPECT_EQ(horns.data().toString(), QStringLiteral("Horns Twist"));
    ASSERT_EQ(renamed.size(), 1);
    EXPECT_EQ(renamed.at(0).at(1).toString(), path(QStringLiteral("Horns Twist")));

    struct Refusal {
        const char *name;
        const char *reason;
    };
    const Refusal refusals[] = {
        { "Box", "already has a play of that name" },
        { "Half/court", "cannot hold the character /" },
        { "What?", "cannot hold the character ?" },
        { "  ", "needs a name" },
        { " Horns", "begin or end with a space" },
        { "con", "Windows keeps for a device" },
    };
    QSignalSpy failed(&model, &LibraryModel::failed);
    for (const Refusal &refusal : refusals) {
        // Through the view's editor, as typing in place does.
        EXPECT_FALSE(model.setData(horns, QString::fromUtf8(refusal.name))) << refusal.name;
        ASSERT_FALSE(failed.isEmpty());
        EXPECT_TRUE(failed.takeLast().at(0).toString().contains(QString::fromUtf8(refusal.reason))) << refusal.name;
    }
    EXPECT_EQ(filesOnDisk().size(), 3);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Horns Twist"))));
}

TEST_F(Library, DuplicatesUnderAFreshName)
{
    pane.selectPlay(path(QStringLiteral("Box")));
    pane.duplicatePlay();
    pane.selectPlay(path(QStringLiteral("Box")));
    pane.duplicatePlay();
    EXPECT_EQ(filesOnDisk(),
        (QStringList { QStringLiteral("Box copy 2.hwplay"), QStringLiteral("Box copy.hwplay"),
            QStringLiteral("Box.hwplay"), QStringLiteral("Horns.hwplay"), QStringLiteral("Zone 23.hwplay") }));
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(
        play::readPlayFile(path(QStringLiteral("Box copy 2"))).play.tags, QStringList { QStringLiteral("Inbounds") });
    // The copy is the one selected, ready to be renamed.
    EXPECT_EQ(pane.view()->currentIndex().data().toString(), QStringLiteral("Box copy 2"));
}

TEST_F(Library, DeletesToTheTrashAndUndoBringsThePlayBack)
{
    const QByteArray bytes = [&] {
        QFile file(path(QStringLiteral("Horns")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    pane.selectPlay(path(QStringLiteral("Horns")));
    pane.deletePlay();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Horns"))));
    EXPECT_EQ(names(), (QStringList { QStringLiteral("Box"), QStringLiteral("Zone 23") }));

    pane.undoStack()->undo();
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("Horns"))));
    QFile back(path(QStringLiteral("Horns")));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), bytes);
    EXPECT_EQ(model.rowCount(), 3);

    pane.undoStack()->redo();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Horns"))));
    EXPECT_EQ(model.rowCount(), 2);
}

TEST_F(Library, UndoingADeleteLeavesAFileThatTookTheNameAlone)
{
    pane.selectPlay(path(QStringLiteral("Horns")));
    pane.deletePlay();
    write(QStringLiteral("Horns"), { QStringLiteral("Newer") }, {});
    pane.undoStack()->undo();
    EXPECT_TRUE(pane.message().contains(QStringLiteral("another file has taken its name")))
        << pane.message().toStdString();
    pane.undoStack()->redo();
    EXPECT_EQ(play::readPlayFile(path(QStringLiteral("Horns"))).play.tags, QStringList { QStringLiteral("Newer") });
}

TEST_F(Library, TagsAreWrittenToThePlayFile)
{
    const QModelIndex box = model.indexOf(path(QStringLiteral("Box")));
    const QStringList tags { QStringLiteral("Inbounds"), QStringLiteral("Late game") };
    EXPECT_EQ(model.setTags(box, tags), QString());
    EXPECT_EQ(play::readPlayFile(path(QStringLiteral("Box"))).play.tags, tags);
    model.waitForIdle();
    EXPECT_EQ(model.indexOf(path(QStringLiteral("Box"))).data(LibraryModel::TagsRole).toStringList(), tags);
    // A tag the format refuses leaves the file as it was.
    EXPECT_FALSE(model.setTags(box, { QString(40, QLatin1Char('x')) }).isEmpty());
    EXPECT_EQ(play::readPlayFile(path(QStringLiteral("Box"))).play.tags, tags);
}

TEST_F(Library, ANewPlayFromATemplateIsSavedInTheFolderAndOpened)
{
    QSignalSpy opened(&pane, &LibraryPane::openRequested);
    pane.newFromTemplate(1);
    pane.newFromTemplate(1);
    ASSERT_EQ(opened.size(), 2);
    const QString second = opened.at(1).at(0).toString();
    EXPECT_EQ(second, path(QStringLiteral("Whole court play 2")));
    EXPECT_EQ(play::readPlayFile(second).play.court, play::Court::Whole);
    EXPECT_EQ(model.rowCount(), 5);
    pane.newFromTemplate(2);
    const play::ReadResult row = play::readPlayFile(path(QStringLiteral("Starting row play")));
    ASSERT_TRUE(row.ok()) << row.error.toStdString();
}

TEST_F(Library, FollowsFilesAddedChangedAndRemovedByAnotherProgram)
{
    write(QStringLiteral("Flex"), { QStringLiteral("Motion") }, {});
    QTRY_VERIFY_WITH_TIMEOUT(model.indexOf(path(QStringLiteral("Flex"))).isValid(), 10000);
    model.waitForIdle();

    write(QStringLiteral("Flex"), { QStringLiteral("Motion"), QStringLiteral("Continuity") }, {});
    QTRY_COMPARE_WITH_TIMEOUT(
        model.indexOf(path(QStringLiteral("Flex"))).data(LibraryModel::TagsRole).toStringList().size(), 2, 10000);

    QFile::remove(path(QStringLiteral("Box")));
    QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 3, 10000);
    EXPECT_FALSE(model.indexOf(path(QStringLiteral("Box"))).isValid());
}

TEST_F(Library, AFolderThatVanishesEmptiesThePaneWithAMessage)
{
    ASSERT_TRUE(QDir(folder.path()).removeRecursively());
    model.rescan();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.problem().contains(QStringLiteral("is not there")));
    EXPECT_TRUE(pane.message().contains(QStringLiteral("Make the folder"))) << pane.message().toStdString();
    // Back again (a drive plugged in, a sync), it lists again by itself.
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    write(QStringLiteral("Horns"), {}, {});
    QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 1, 10000);
    EXPECT_TRUE(model.problem().isEmpty());
    EXPECT_TRUE(pane.message().isEmpty()) << pane.message().toStdString();
}

TEST_F(Library, ThumbnailsAreDrawnOffTheInterfaceThreadAndCached)
{
    QTemporaryDir cache;
    LibraryModel cached;
    cached.setCacheFolder(cache.path());
    cached.setFolder(folder.path());
    cached.setThumbnailSize(QSize(96, 60), 2);
    const QModelIndex horns = cached.indexOf(path(QStringLiteral("Horns")));
    // Asked for, it is not there yet: a job of the pool draws it.
    EXPECT_TRUE(horns.data(LibraryModel::ThumbnailRole).value<QImage>().isNull());
    cached.waitForIdle();
    const QImage thumbnail = horns.data(LibraryModel::ThumbnailRole).value<QImage>();
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.size(), QSize(192, 120));
    EXPECT_EQ(thumbnail.devicePixelRatio(), 2);
    const QImage expected = play::drawThumbnail(
        play::readPlayFile(path(QStringLiteral("Horns"))).play, play::ThumbnailStep::First, QSize(192, 120));
    EXPECT_EQ(thumbnail.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(QDir(cache.path()).entryList(QDir::Files).size(), 1);

    // Another run finds it in the cache folder under the same name.
    LibraryModel again;
    again.setCacheFolder(cache.path());
    again.setFolder(folder.path());
    again.setThumbnailSize(QSize(96, 60), 2);
    again.indexOf(path(QStringLiteral("Horns"))).data(LibraryModel::ThumbnailRole);
    again.waitForIdle();
    EXPECT_EQ(again.indexOf(path(QStringLiteral("Horns")))
                  .data(LibraryModel::ThumbnailRole)
                  .value<QImage>()
                  .convertToFormat(QImage::Format_ARGB32),
        expected.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(QDir(cache.path()).entryList(QDir::Files).size(), 1);
}

TEST(TagsDialog, ReadsTagsFromALineAndRefusesWhatAPlayCannotHold)
{
    EXPECT_EQ(TagsDialog::parse(QStringLiteral(" Inbounds ,zone  offence,, inbounds,Late game ")),
        (QStringList { QStringLiteral("Inbounds"), QStringLiteral("zone offence"), QStringLiteral("Late game") }));
    EXPECT_EQ(TagsDialog::check({ QStringLiteral("Inbounds") }), QString());
    QStringList many;
    for (int i = 0; i <= play::kMaxTags; ++i)
        many.append(QStringLiteral("Set %1").arg(i));
    EXPECT_FALSE(TagsDialog::check(many).isEmpty());
    EXPECT_FALSE(TagsDialog::check({ QString(play::kMaxTagLength + 1, QLatin1Char('x')) }).isEmpty());
}

} // namespace

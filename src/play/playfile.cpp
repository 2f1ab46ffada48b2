#include "play/playfile.h"

#include "play/motion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace play {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("play", text);
}

// A fault found while reading. The readers throw it to fromJson, the one place that turns
// it into a result, so that a play is read whole or not at all.
struct Fault {
    QString message;
};

[[noreturn]] void fail(const QString &message)
{
    throw Fault { message };
}

// The key of a piece in the file: "ally1" to "ally5", "opponent1" to "opponent5", "ball".
QString pieceKey(int piece)
{
    if (piece == kBall)
        return QStringLiteral("ball");
    if (sideOf(piece) == Side::Ally)
        return QStringLiteral("ally%1").arg(piece + 1);
    return QStringLiteral("opponent%1").arg(piece - kPlayersPerSide + 1);
}

// A piece as messages name it: "Ally 3", "the ball".
QString pieceName(int piece)
{
    return piece == kBall ? tr("the ball") : pieceLabel(piece);
}

// The word of an action's kind in the file: "cut", "pass", ...
constexpr std::array<const char *, 8> kKindWords { "cut", "pass", "dribble", "screen", "handoff", "shot", "pen",
    "text" };

QString kindWord(ActionKind kind)
{
    return QLatin1StringView(kKindWords[size_t(kind)]);
}

int pieceOfKey(const QString &key)
{
    for (int piece = 0; piece < kPieceCount; ++piece) {
        if (pieceKey(piece) == key)
            return piece;
    }
    return -1;
}

// Characters as a person counts them: a character beyond the Basic Multilingual Plane is
// one, not two UTF-16 units.
qsizetype characterCount(const QString &text)
{
    return text.size() - std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); });
}

// A value from the file quoted in a message: short, and on one line, whatever it holds.
QString quoted(const QString &text)
{
    constexpr qsizetype kLongest = 40;
    QString shown = text.left(kLongest);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QChar::ReplacementCharacter;
    }
    return QLatin1Char('"') + shown + (text.size() > kLongest ? QStringLiteral("…\"") : QStringLiteral("\""));
}

// Line and column, from 1, of a byte offset into UTF-8 text.
QString lineAndColumn(const QByteArray &data, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, data.size());
    const qsizetype lineStart = data.lastIndexOf('\n', offset - 1) + 1;
    const int line = int(data.first(lineStart).count('\n')) + 1;
    const qsizetype column = characterCount(QString::fromUtf8(data.sliced(lineStart, offset - lineStart))) + 1;
    return tr("line %1, column %2").arg(line).arg(column);
}

QJsonObject parseDocument(const QByteArray &data)
{
    if (data.trimmed().isEmpty())
        fail(tr("the file is empty"));
    if (data.contains('\0'))
        fail(tr("not a play file: it holds binary data, not text"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        // A file cut short ends where the parser was still expecting more.
        qsizetype contentEnd = data.size();
        while (contentEnd > 0 && std::isspace(static_cast<unsigned char>(data[contentEnd - 1])))
            --contentEnd;
        if (error.offset >= contentEnd)
            fail(tr("the file ends too soon, as if cut short (%1)").arg(lineAndColumn(data, error.offset)));
        fail(
            tr("not a play file: it is not JSON (%1: %2)").arg(lineAndColumn(data, error.offset), error.errorString()));
    }
    if (!document.isObject())
        fail(tr("not a play file: it holds JSON, but not a play"));
    return document.object();
}

QJsonValue member(const QJsonObject &object, const char *key, const QString &what)
{
    const QJsonValue value = object.value(QLatin1StringView(key));
    if (value.isUndefined())
        fail(tr("%1 is missing").arg(what));
    return value;
}

QJsonObject objectOf(const QJsonValue &value, const QString &what)
{
    if (!value.isObject())
        fail(tr("%1 is not a JSON object").arg(what));
    return value.toObject();
}

QString textOf(const QJsonValue &value, const QString &what)
{
    if (!value.isString())
        fail(tr("%1 is not text").arg(what));
    return value.toString();
}

double numberOf(const QJsonValue &value, const QString &what)
{
    if (!value.isDouble())
        fail(tr("%1 is not a number").arg(what));
    return value.toDouble();
}

// A whole number, held within [low, high] so that a value out of range stays out of range
// for checkPlay to report, rather than overflowing an int.
int wholeNumberOf(const QJsonValue &value, const QString &what, int low, int high)
{
    const double number = numberOf(value, what);
    if (number != std::trunc(number))
        fail(tr("%1 is not a whole number").arg(what));
    return int(std::clamp(number, double(low), double(high)));
}

// The format's version: 1 up to the one this program writes.
int formatVersion(const QJsonObject &root)
{
    const QJsonValue format = root.value(QLatin1StringView("format"));
    if (format.isUndefined())
        fail(tr("not a play file: it is JSON, but names no format"));
    if (format.toString() != QLatin1StringView(kFormatName))
        fail(tr("not a play file: its format is not %1").arg(QLatin1StringView(kFormatName)));
    const QString what = tr("the format version");
    const double version = numberOf(member(root, "version", what), what);
    if (version != std::trunc(version) || version < 1)
        fail(tr("the format version is %1; versions are whole numbers from 1").arg(version));
    if (version > kFormatVersion) {
        fail(tr("it was written by a newer version of Hoopwright Playbook (format %1); this one reads up to format %2")
                 .arg(version)
                 .arg(kFormatVersion));
    }
    return int(version);
}

Court courtOf(const QJsonObject &root)
{
    const QString what = tr("the court");
    const QString court = textOf(member(root, "court", what), what);
    if (court == QLatin1StringView("half"))
        return Court::Half;
    if (court == QLatin1StringView("whole"))
        return Court::Whole;
    fail(tr("the court is %1; it must be \"half\" or \"whole\"").arg(quoted(court)));
}

void readRoster(const QJsonObject &root, Play &play)
{
    const QString where = tr("the roster: ");
    const QJsonObject roster = objectOf(member(root, "roster", tr("the roster")), tr("the roster"));
    for (int player = 0; player < kPlayerCount; ++player) {
        const QString label = pieceLabel(player);
        const QJsonObject entry = objectOf(member(roster, pieceKey(player).toLatin1(), where + label), where + label);
        const QString number = where + tr("the number of %1").arg(label);
        const QString name = where + tr("the name of %1").arg(label);
        play.roster[player].number = wholeNumberOf(member(entry, "number", number), number, -1, kMaxNumber + 1);
        play.roster[player].name = textOf(member(entry, "name", name), name);
    }
}

Step readStep(const QJsonValue &value, int index)
{
    const QString where = tr("step %1: ").arg(index + 1);
    const QJsonObject object = objectOf(value, tr("step %1").arg(index + 1));
    Step step;
    const QJsonObject positions = objectOf(
        member(object, "positions", where + tr("the table of positions")), where + tr("the table of positions"));
    for (int piece = 0; piece < kPieceCount; ++piece) {
        const QString what = where + tr("the position of %1").arg(pieceName(piece));
        const QJsonValue position = member(positions, pieceKey(piece).toLatin1(), what);
        const QJsonArray pair = position.toArray();
        if (!position.isArray() || pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble())
            fail(tr("%1 is not a pair of numbers [x, y]").arg(what));
        step.positions[piece] = QPointF(pair[0].toDouble(), pair[1].toDouble());
    }
    const QString holderWhat = where + tr("the ball's holder");
    const QJsonValue holder = member(object, "ballHolder", holderWhat);
    if (holder.isNull()) {
        step.ballHolder = kNoHolder;
    } else {
        const QString key = textOf(holder, holderWhat);
        step.ballHolder = pieceOfKey(key);
        if (step.ballHolder < 0 || step.ballHolder >= kPlayerCount)
            fail(tr("%1 is %2, which is no player").arg(holderWhat, quoted(key)));
    }
    const QString noteWhat = where + tr("the note");
    step.note = textOf(member(object, "note", noteWhat), noteWhat);
    return step;
}

// A player key or null: kNoPlayer for null.
int playerOf(const QJsonValue &value, const QString &what)
{
    if (value.isNull())
        return kNoPlayer;
    const QString key = textOf(value, what);
    const int player = pieceOfKey(key);
    if (player < 0 || player >= kPlayerCount)
        fail(tr("%1 is %2, which is no player").arg(what, quoted(key)));
    return player;
}

Action readAction(const QJsonValue &value, const QString &where)
{
    const QJsonObject object = objectOf(value, where.chopped(2));
    Action action;
    const QString kindWhat = where + tr("the kind");
    const QString kind = textOf(member(object, "kind", kindWhat), kindWhat);
    const auto found = std::find(kKindWords.begin(), kKindWords.end(), kind);
    if (found == kKindWords.end()) {
        fail(tr("%1 is %2; it must be one of cut, pass, dribble, screen, handoff, shot, pen, text")
                 .arg(kindWhat, quoted(kind)));
    }
    action.kind = ActionKind(found - kKindWords.begin());
    const QString playerWhat = where + tr("the player");
    action.player = playerOf(member(object, "player", playerWhat), playerWhat);
    const QString receiverWhat = where + tr("the receiver");
    action.receiver = playerOf(member(object, "receiver", receiverWhat), receiverWhat);
    const QString pointsWhat = where + tr("the points");
    const QJsonValue points = member(object, "points", pointsWhat);
    if (!points.isArray())
        fail(tr("%1 are not a JSON array").arg(pointsWhat));
    const QJsonArray list = points.toArray();
    if (list.size() > kMaxPoints)
        fail(tr("%1 number %2; an action has at most %3").arg(pointsWhat).arg(list.size()).arg(kMaxPoints));
    action.points.reserve(list.size());
    for (const QJsonValue &point : list) {
        const QJsonArray pair = point.toArray();
        if (!point.isArray() || pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble())
            fail(tr("%1: a point is not a pair of numbers [x, y]").arg(pointsWhat));
        action.points.append(QPointF(pair[0].toDouble(), pair[1].toDouble()));
    }
    if (const QJsonValue colour = object.value(QLatin1StringView("colour")); !colour.isUndefined()) {
        const QString colourWhat = where + tr("the colour");
        const QString name = textOf(colour, colourWhat);
        static const QRegularExpression pattern(QStringLiteral("^#[0-9a-fA-F]{6}$"));
        if (!pattern.match(name).hasMatch())
            fail(tr("%1 is %2; it must be written #rrggbb").arg(colourWhat, quoted(name)));
        action.colour = QColor::fromString(name);
    }
    if (const QJsonValue text = object.value(QLatin1StringView("text")); !text.isUndefined())
        action.text = textOf(text, where + tr("the text"));
    return action;
}

void readActions(const QJsonValue &value, Step &step, int index)
{
    const QString where = tr("step %1: ").arg(index + 1);
    const QJsonValue actions = member(value.toObject(), "actions", where + tr("the list of actions"));
    if (!actions.isArray())
        fail(where + tr("the list of actions is not a JSON array"));
    const QJsonArray list = actions.toArray();
    if (list.size() > kMaxActions)
        fail(where + tr("the step has %1 actions; a step has at most %2").arg(list.size()).arg(kMaxActions));
    step.actions.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i)
        step.actions.append(readAction(list[i], where + tr("action %1: ").arg(i + 1)));
}

void readTags(const QJsonObject &root, Play &play)
{
    const QJsonValue tags = member(root, "tags", tr("the list of tags"));
    if (!tags.isArray())
        fail(tr("the list of tags is not a JSON array"));
    const QJsonArray list = tags.toArray();
    if (list.size() > kMaxTags)
        fail(tr("the play has %1 tags; a play has at most %2").arg(list.size()).arg(kMaxTags));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString what = tr("tag %1").arg(i + 1);
        play.tags.append(textOf(list[i], what));
    }
}

Play readPlay(const QJsonObject &root, int version)
{
    Play play;
    play.court = courtOf(root);
    readRoster(root, play);
    const QJsonValue steps = member(root, "steps", tr("the list of steps"));
    if (!steps.isArray())
        fail(tr("the list of steps is not a JSON array"));
    const QJsonArray list = steps.toArray();
    if (list.size() > kMaxSteps)
        fail(tr("the play has %1 steps; a play has at most %2").arg(list.size()).arg(kMaxSteps));
    play.steps.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        play.steps.append(readStep(list[i], int(i)));
        // Version 1 has no actions.
        if (version >= 2)
            readActions(list[i], play.steps.back(), int(i));
    }
    // Versions 1 and 2 have no tags.
    if (version >= 3)
        readTags(root, play);
    return play;
}

QJsonValue playerValue(int player)
{
    return player == kNoPlayer ? QJsonValue(QJsonValue::Null) : QJsonValue(pieceKey(player));
}

QJsonObject actionObject(const Action &action)
{
    QJsonArray points;
    for (const QPointF &p : action.points)
        points.append(QJsonArray { p.x(), p.y() });
    QJsonObject object { { "kind", kindWord(action.kind) }, { "player", playerValue(action.player) },
        { "receiver", playerValue(action.receiver) }, { "points", points } };
    if (action.colour.isValid())
        object.insert("colour", action.colour.name(QColor::HexRgb));
    if (action.kind == ActionKind::Text || !action.text.isEmpty())
        object.insert("text", action.text);
    return object;
}

QJsonObject toObject(const Play &play)
{
    QJsonObject roster;
    for (int player = 0; player < kPlayerCount; ++player) {
        roster.insert(pieceKey(player),
            QJsonObject { { "number", play.roster[player].number }, { "name", play.roster[player].name } });
    }
    QJsonArray steps;
    for (const Step &step : play.steps) {
        QJsonObject positions;
        for (int piece = 0; piece < kPieceCount; ++piece)
            positions.insert(pieceKey(piece), QJsonArray { step.positions[piece].x(), step.positions[piece].y() });
        const QJsonValue holder
            = step.ballHolder == kNoHolder ? QJsonValue(QJsonValue::Null) : QJsonValue(pieceKey(step.ballHolder));
        QJsonArray actions;
        for (const Action &action : step.actions)
            actions.append(actionObject(action));
        steps.append(QJsonObject {
            { "positions", positions }, { "ballHolder", holder }, { "note", step.note }, { "actions", actions } });
    }
    return QJsonObject {
        { "format", QLatin1StringView(kFormatName) },
        { "version", kFormatVersion },
        { "court", play.court == Court::Half ? "half" : "whole" },
        { "roster", roster },
        { "steps", steps },
        { "tags", QJsonArray::fromStringList(play.tags) },
    };
}

// Whether the array or object opening at a byte of compact JSON holds only numbers, text,
// true, false and null.
bool holdsOnlyValues(const QByteArray &compact, qsizetype open)
{
    bool inString = false;
    for (qsizetype i = open + 1; i < compact.size(); ++i) {
        const char c = compact[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            return false;
        } else if (c == '}' || c == ']') {
            return true;
        }
    }
    return true;
}

// Compact JSON laid out for a person: each member of an object on a line of its own,
// indented four spaces a level, but an array or object of plain values on one line, so
// that a position reads "[7927.5, 2400]" and a roster entry fits a line.
QByteArray laidOut(const QByteArray &compact)
{
    QByteArray out;
    out.reserve(compact.size() + compact.size() / 2);
    int depth = 0;
    int inlineDepth = 0; // containers open within one line
    bool inString = false;
    const auto newLine = [&] {
        out += '\n';
        out.append(depth * 4, ' ');
    };
    for (qsizetype i = 0; i < compact.size(); ++i) {
        const char c = compact[i];
        if (inString) {
            out += c;
            if (c == '\\')
                out += compact[++i];
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            out += c;
            break;
        case '{':
        case '[':
            out += c;
            if (inlineDepth > 0 || holdsOnlyValues(compact, i)) {
                ++inlineDepth;
            } else {
                ++depth;
                newLine();
            }
            break;
        case '}':
        case ']':
            if (inlineDepth > 0) {
                --inlineDepth;
            } else {
                --depth;
                newLine();
            }
            out += c;
            break;
        case ',':
            out += ',';
            if (inlineDepth > 0)
                out += ' ';
            else
                newLine();
            break;
        case ':':
            out += ": ";
            break;
        default:
            out += c;
        }
    }
    out += '\n';
    return out;
}

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

QString checkPlay(const Play &play)
{
    if (play.steps.isEmpty())
        return tr("the play has no steps");
    if (play.steps.size() > kMaxSteps)
        return tr("the play has %1 steps; a play has at most %2").arg(play.steps.size()).arg(kMaxSteps);
    for (int player = 0; player < kPlayerCount; ++player) {
        const Player &entry = play.roster[player];
        if (entry.number < 0 || entry.number > kMaxNumber) {
            return tr("the roster: the number of %1 lies outside 0 to %2").arg(pieceLabel(player)).arg(kMaxNumber);
        }
        if (characterCount(entry.name) > kMaxNameLength) {
            return tr("the roster: the name of %1 is longer than %2 characters")
                .arg(pieceLabel(player))
                .arg(kMaxNameLength);
        }
    }
    if (play.tags.size() > kMaxTags)
        return tr("the play has %1 tags; a play has at most %2").arg(play.tags.size()).arg(kMaxTags);
    for (qsizetype i = 0; i < play.tags.size(); ++i) {
        const QString &tag = play.tags[i];
        const QString where = tr("tag %1: ").arg(i + 1);
        if (tag.trimmed().isEmpty())
            return where + tr("it is empty");
        if (characterCount(tag) > kMaxTagLength)
            return where + tr("it is longer than %1 characters").arg(kMaxTagLength);
        if (tag.contains(QLatin1Char('\n')) || tag.contains(QLatin1Char('\r')))
            return where + tr("it holds a line break");
        if (play.tags.indexOf(tag) < i)
            return where + tr("%1 is there twice").arg(quoted(tag));
    }
    const QSizeF court = courtSize(play.court);
    for (qsizetype i = 0; i < play.steps.size(); ++i) {
        const Step &step = play.steps[i];
        const QString where = tr("step %1: ").arg(i + 1);
        for (int piece = 0; piece < kPieceCount; ++piece) {
            const QPointF p = step.positions[piece];
            // Written so that NaN, which compares false, is outside too.
            if (!(p.x() >= 0 && p.x() <= court.width() && p.y() >= 0 && p.y() <= court.height()))
                return where + tr("the position of %1 lies outside the court").arg(pieceName(piece));
        }
        if (step.ballHolder != kNoHolder && (step.ballHolder < 0 || step.ballHolder >= kPlayerCount))
            return where + tr("the ball's holder is no player");
        if (characterCount(step.note) > kMaxNoteLength)
            return where + tr("the note is longer than %1 characters").arg(kMaxNoteLength);
        if (const QString fault = checkActionValues(play, int(i)); !fault.isEmpty())
            return fault;
    }
    return {};
}

QByteArray toJson(const Play &play)
{
    return laidOut(QJsonDocument(toObject(play)).toJson(QJsonDocument::Compact));
}

ReadResult fromJson(const QByteArray &data)
{
    try {
        const QJsonObject root = parseDocument(data);
        Play play = readPlay(root, formatVersion(root));
        if (const QString fault = checkPlay(play); !fault.isEmpty())
            fail(fault);
        return { std::move(play), {} };
    } catch (const Fault &fault) {
        return { {}, fault.message };
    }
}

ReadResult readPlayFile(const QString &path)
{
    // Looked at before it is opened: opening a pipe would wait for a writer, and a huge
    // file is refused without reading it.
    const QFileInfo info(path);
    if (!info.exists())
        return { {}, tr("there is no such file") };
    if (info.isDir())
        return { {}, tr("it is a folder, not a play file") };
    if (!info.isFile())
        return { {}, tr("it is not an ordinary file (a device, a pipe or a socket)") };
    const QString tooLarge = tr("the file is too large for a play (%1; a play file holds at most %2)");
    if (info.size() > kMaxFileSize)
        return { {}, tooLarge.arg(sizeText(info.size()), sizeText(kMaxFileSize)) };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { {}, file.errorString() };
    // At most one byte past the limit, should the file have grown since it was looked at.
    const QByteArray data = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return { {}, file.errorString() };
    if (data.size() > kMaxFileSize)
        return { {}, tooLarge.arg(sizeText(data.size()), sizeText(kMaxFileSize)) };
    return fromJson(data);
}

QString writePlayFile(const Play &play, const QString &path)
{
    // Never a file this program could not read back.
    if (const QString fault = checkPlay(play); !fault.isEmpty())
        return fault;
    QByteArray bytes = QJsonDocument(toObject(play)).toJson(QJsonDocument::Compact);
    if (const QByteArray readable = laidOut(bytes); readable.size() <= kMaxFileSize)
        bytes = readable;
    if (bytes.size() > kMaxFileSize) {
        return tr("the play is too large to save (%1; a play file holds at most %2): shorten its notes")
            .arg(sizeText(bytes.size()), sizeText(kMaxFileSize));
    }
    // Until commit() the bytes go to a temporary file beside the target, which QSaveFile
    // removes on any failure, also when it is destroyed uncommitted.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // commit() alone reports success when the buffered bytes could not be written (a full
    // disk), and would put an empty file in the old one's place: flush first and check.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace play

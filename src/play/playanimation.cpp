#include "play/playanimation.h"

#include "play/playpainter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace play {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("play", text);
}

QString cannotWrite(const QString &path, const QString &reason)
{
    return tr("cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

bool wantsStop(const AnimationProgress &progress, int done, int total)
{
    return progress && !progress(done, total);
}

// The frames' colours: at most 255 of them, made by median cut (giflib's quantizer) from the
// start of some of the play's steps, which show the court, every jersey, the ball and the
// marks' colours; index 255 stays free to mean "as before". Every frame maps its pixels
// through this one palette (each colour to its nearest entry), so what does not move keeps
// its index from frame to frame.
class Palette {
public:
    static constexpr int kTransparent = 255;

    explicit Palette(const Play &play)
        : nearest_(1 << 24, 0)
    {
        // Some steps spread over the play, drawn small to keep this quick: the colours are
        // the same at any size.
        constexpr int kSampleSteps = 8;
        const int steps = int(play.steps.size());
        const int count = std::min(steps, kSampleSteps);
        const QSize size = animationSize(play.court, 480);
        const qsizetype pixels = qsizetype(size.width()) * size.height();
        std::vector<GifByteType> red, green, blue;
        red.reserve(pixels * count);
        green.reserve(pixels * count);
        blue.reserve(pixels * count);
        for (int i = 0; i < count; ++i) {
            const int step = count > 1 ? int(qint64(i) * (steps - 1) / (count - 1)) : 0;
            const QImage image = renderFrame(play, PlayTime { step, 0 }, size);
            for (int y = 0; y < image.height(); ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    red.push_back(GifByteType(qRed(line[x])));
                    green.push_back(GifByteType(qGreen(line[x])));
                    blue.push_back(GifByteType(qBlue(line[x])));
                }
            }
        }
        std::vector<GifByteType> indices(red.size());
        std::array<GifColorType, 256> boxes {};
        int entries = kTransparent;
        if (GifQuantizeBuffer(
                unsigned(red.size()), 1, &entries, red.data(), green.data(), blue.data(), indices.data(), boxes.data())
            == GIF_ERROR)
            entries = 0;
        // The quantizer keeps five bits of each channel; each entry becomes the mean of the
        // exact colours it stands for, so that white stays white.
        std::array<std::array<qint64, 4>, 256> sums {};
        for (size_t i = 0; i < indices.size(); ++i) {
            auto &sum = sums[indices[i]];
            sum[0] += red[i];
            sum[1] += green[i];
            sum[2] += blue[i];
            ++sum[3];
        }
        for (int i = 0; i < entries; ++i) {
            const auto &sum = sums[i];
            if (sum[3] > 0)
                colours_.append(qRgb(int(sum[0] / sum[3]), int(sum[1] / sum[3]), int(sum[2] / sum[3])));
        }
        if (colours_.isEmpty())
            colours_ = { qRgb(0, 0, 0), qRgb(255, 255, 255) };
    }

    const QList<QRgb> &colours() const { return colours_; }

    // The entry nearest to a colour, worked out once for each colour met.
    GifPixelType indexOf(QRgb colour)
    {
        GifByteType &found = nearest_[colour & 0xffffff];
        if (found == 0) {
            int best = 0;
            int bestDistance = INT_MAX;
            for (int i = 0; i < colours_.size(); ++i) {
                const int dr = qRed(colour) - qRed(colours_[i]);
                const int dg = qGreen(colour) - qGreen(colours_[i]);
                const int db = qBlue(colour) - qBlue(colours_[i]);
                const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            found = GifByteType(best + 1);
        }
        return GifPixelType(found - 1);
    }

private:
    QList<QRgb> colours_;
    std::vector<GifByteType> nearest_; // by 24-bit colour: the entry plus one, 0 while unknown
};

// A GIF written frame by frame into a device: after the first, each frame only the
// rectangle that changed, its unchanged pixels transparent over the frame before.
class GifEncoder {
public:
    GifEncoder(QIODevice &device, QSize size, Palette &palette)
        : device_(device)
        , size_(size)
        , palette_(palette)
        , shown_(size_t(size.width()) * size.height(), GifPixelType(Palette::kTransparent))
    {
        int error = 0;
        gif_ = EGifOpen(this, &GifEncoder::output, &error);
        if (!gif_) {
            fail(error);
            return;
        }
        std::array<GifColorType, 256> map {};
        const QList<QRgb> &colours = palette.colours();
        for (int i = 0; i < colours.size() && i < Palette::kTransparent; ++i)
            map[i] = GifColorType { GifByteType(qRed(colours[i])), GifByteType(qGreen(colours[i])),
                GifByteType(qBlue(colours[i])) };
        std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> colourMap(
            GifMakeMapObject(256, map.data()), GifFreeMapObject);
        EGifSetGifVersion(gif_, true);
        if (!colourMap || EGifPutScreenDesc(gif_, size.width(), size.height(), 8, 0, colourMap.get()) == GIF_ERROR) {
            fail(gif_->Error);
            return;
        }
        // Loop for ever: the application extension that browsers and chat programs know.
        static const unsigned char loop[3] = { 1, 0, 0 };
        if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR
            || EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_ERROR
            || EGifPutExtensionBlock(gif_, 3, loop) == GIF_ERROR || EGifPutExtensionTrailer(gif_) == GIF_ERROR)
            fail(gif_->Error);
    }

    ~GifEncoder()
    {
        if (gif_)
            EGifCloseFile(gif_, nullptr);
    }

    bool ok() const { return error_.isEmpty(); }
    // What went wrong: the device's own reason when it refused the bytes.
    QString error() const { return error_; }

    // Adds a frame of the GIF's size, shown for delay hundredths of a second.
    bool addFrame(const QImage &frame, int delay)
    {
        if (!ok())
            return false;
        const bool first = previous_.isNull();
        const QRect changed = first ? frame.rect() : changedRect(previous_, frame);
        previous_ = frame;
        // A frame that changed nothing is one pixel left as it was.
        const QRect area = changed.isEmpty() ? QRect(0, 0, 1, 1) : changed;
        GraphicsControlBlock control {};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = delay;
        control.TransparentColor = first ? NO_TRANSPARENT_COLOR : Palette::kTransparent;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR
            || EGifPutImageDesc(gif_, area.x(), area.y(), area.width(), area.height(), false, nullptr) == GIF_ERROR)
            return fail(gif_->Error);
        std::vector<GifPixelType> line(size_t(area.width()));
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto *pixels = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            GifPixelType *shown = shown_.data() + size_t(y) * size_.width();
            for (int x = area.left(); x <= area.right(); ++x) {
                const GifPixelType index = changed.isEmpty() ? shown[x] : palette_.indexOf(pixels[x]);
                GifPixelType out = index;
                if (!first && index == shown[x]) {
                    const GifPixelType before = x > area.left() ? line[x - area.left() - 1] : Palette::kTransparent;
                    out = before == index ? index : GifPixelType(Palette::kTransparent);
                }
                line[x - area.left()] = out;
                shown[x] = index;
            }
            if (EGifPutLine(gif_, line.data(), int(line.size())) == GIF_ERROR)
                return fail(gif_->Error);
        }
        return true;
    }

    // Ends the file; false when it could not be written whole.
    bool finish()
    {
        int error = 0;
        GifFileType *gif = std::exchange(gif_, nullptr);
        if (gif && EGifCloseFile(gif, &error) == GIF_ERROR)
            return fail(error);
        return ok();
    }

private:
    // The bounding rectangle of the pixels that differ between two images of one size.
    static QRect changedRect(const QImage &before, const QImage &after)
    {
        int left = after.width(), right = -1, top = -1, bottom = -1;
        for (int y = 0; y < after.height(); ++y) {
            const auto *a = reinterpret_cast<const QRgb *>(before.constScanLine(y));
            const auto *b = reinterpret_cast<const QRgb *>(after.constScanLine(y));
            if (std::equal(a, a + after.width(), b))
                continue;
            int x = 0;
            while (a[x] == b[x])
                ++x;
            int last = after.width() - 1;
            while (a[last] == b[last])
                --last;
            left = std::min(left, x);
            right = std::max(right, last);
            if (top < 0)
                top = y;
            bottom = y;
        }
        return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    }

    static int output(GifFileType *gif, const GifByteType *bytes, int length)
    {
        auto *self = static_cast<GifEncoder *>(gif->UserData);
        return int(self->device_.write(reinterpret_cast<const char *>(bytes), length));
    }

    bool fail(int error)
    {
        if (error_.isEmpty()) {
            const bool deviceFailed
                = error == E_GIF_ERR_WRITE_FAILED || error == E_GIF_ERR_CLOSE_FAILED || error == E_GIF_ERR_DISK_IS_FULL;
            error_ = deviceFailed && !device_.errorString().isEmpty() ? device_.errorString()
                                                                      : QString::fromUtf8(GifErrorString(error));
        }
        return false;
    }

    QIODevice &device_;
    QSize size_;
    Palette &palette_;
    GifFileType *gif_ = nullptr;
    QImage previous_;
    std::vector<GifPixelType> shown_; // the palette indices a viewer shows after the frames so far
    QString error_;
};

// A speed the frames can be counted at: within the range, 1 for no number.
double animationSpeed(double speed)
{
    return std::isnan(speed) ? 1 : std::clamp(speed, kMinAnimationSpeed, kMaxAnimationSpeed);
}

// The steps' lengths, for walking through the play frame by frame.
QList<double> stepDurations(const Play &play)
{
    QList<double> durations;
    for (int step = 0; step < play.steps.size(); ++step)
        durations.append(timeline(play, step).duration);
    return durations;
}

// Draws the frames of a play at a size, the court and the marks of a step once for all its
// frames.
class FrameRenderer {
public:
    FrameRenderer(const Play &play, QSize size)
        : play_(play)
        , motion_(play)
        , size_(size)
        , fit_(fitCourt(play.court, QRectF(QPoint(0, 0), size)))
    {
    }

    Placement placementAt(PlayTime at) const { return motion_.placementAt(at.step, at.seconds); }
    QImage render(PlayTime at) { return render(at.step, placementAt(at)); }

    QImage render(int step, const Placement &placement)
    {
        if (step != step_) {
            marks_ = QImage(size_, QImage::Format_RGB32);
            marks_.fill(Qt::white);
            QPainter painter(&marks_);
            prepare(painter);
            drawStepMarks(painter, play_, step);
            step_ = step;
        }
        QImage frame = marks_.copy();
        QPainter painter(&frame);
        prepare(painter);
        drawPieces(painter, play_, placement);
        return frame;
    }

private:
    // As the editor's court view draws.
    void prepare(QPainter &painter) const
    {
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        painter.setTransform(fit_);
    }

    const Play &play_;
    const PlayMotion motion_;
    QSize size_;
    QTransform fit_;
    int step_ = -1;
    QImage marks_;
};

} // namespace

QSize animationSize(Court court, int width)
{
    width = std::clamp(width, kMinAnimationWidth, kMaxAnimationWidth);
    const QSizeF size = courtSize(court);
    return QSize(width, std::max(1, int(std::lround(width * size.height() / size.width()))));
}

QList<PlayTime> frameTimes(const Play &play, double speed)
{
    speed = animationSpeed(speed);
    const QList<double> durations = stepDurations(play);
    double total = 0;
    for (double d : durations)
        total += d;
    const qint64 count = std::max<qint64>(1, qint64(std::ceil(total / speed * kAnimationFrameRate - 1e-9)));
    QList<PlayTime> times;
    times.reserve(count);
    int step = 0;
    double stepStart = 0;
    for (qint64 frame = 0; frame < count; ++frame) {
        const double seconds = frame * speed / kAnimationFrameRate;
        while (step + 1 < durations.size() && seconds - stepStart >= durations[step]) {
            stepStart += durations[step];
            ++step;
        }
        times.append(PlayTime { step, std::clamp(seconds - stepStart, 0.0, durations.value(step)) });
    }
    return times;
}

QList<GifFrame> gifFrames(const Play &play, double speed)
{
    speed = animationSpeed(speed);
    const QList<PlayTime> times = frameTimes(play, speed);
    const PlayMotion motion(play);
    const double total = motion.duration() / speed;
    // Each frame's start in hundredths, rounded from the rate's exact times, so that the
    // delays add up to the play's length without drift.
    const auto startOf = [](qsizetype frame) { return int(std::lround(frame * 100.0 / kAnimationFrameRate)); };
    QList<GifFrame> frames;
    for (qsizetype i = 0; i < times.size(); ++i) {
        const Placement placement = motion.placementAt(times[i].step, times[i].seconds);
        if (!frames.isEmpty() && frames.last().at.step == times[i].step && frames.last().placement == placement) {
            frames.last().delay += startOf(i + 1) - startOf(i);
            continue;
        }
        frames.append(GifFrame { times[i], placement, startOf(i + 1) - startOf(i) });
    }
    // The last frame lasts until the play's end, then rests.
    const int end = int(std::lround(total * 100)) + int(std::lround(kAnimationEndHold * 100));
    frames.last().delay += end - startOf(times.size());
    return frames;
}

QImage renderFrame(const Play &play, PlayTime at, QSize size)
{
    return FrameRenderer(play, size).render(at);
}

QString animationCancelled()
{
    return tr("cancelled");
}

QString writeGif(
    const Play &play, const QString &path, const AnimationOptions &options, const AnimationProgress &progress)
{
    const QSize size = animationSize(play.court, options.width);
    const QList<GifFrame> frames = gifFrames(play, options.speed);
    Palette palette(play);
    // Until commit() the bytes go to a temporary file beside the target, which QSaveFile
    // removes on any failure, also when it is destroyed uncommitted.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(path, file.errorString());
    GifEncoder gif(file, size, palette);
    FrameRenderer renderer(play, size);
    for (qsizetype i = 0; i < frames.size() && gif.ok(); ++i) {
        if (wantsStop(progress, int(i), int(frames.size())))
            return animationCancelled();
        gif.addFrame(renderer.render(frames[i].at.step, frames[i].placement), frames[i].delay);
    }
    // commit() alone reports success when the buffered bytes could not be written (a full
    // disk): flush first and check.
    if (!gif.finish() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = gif.ok() ? file.errorString() : gif.error();
        file.cancelWriting();
        return cannotWrite(path, reason);
    }
    if (!file.commit())
        return cannotWrite(path, file.errorString());
    if (progress)
        progress(int(frames.size()), int(frames.size()));
    return {};
}

QString sequenceFileName(const QString &name, int frame, int frameCount)
{
    const int digits = std::max(4, int(QString::number(frameCount).size()));
    return QStringLiteral("%1-%2.png").arg(name).arg(frame, digits, 10, QLatin1Char('0'));
}

QString writePngSequence(const Play &play, const QString &folder, const QString &name, const AnimationOptions &options,
    const AnimationProgress &progress)
{
    const QDir target(folder);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return tr("%1 is not a name for pictures").arg(name);
    // The frames are written into a hidden folder beside their place, removed with whatever
    // it holds unless every frame was written.
    QTemporaryDir temporary(target.filePath(QStringLiteral(".%1-XXXXXX").arg(name)));
    if (!temporary.isValid())
        return cannotWrite(target.filePath(sequenceFileName(name, 1, 1)), temporary.errorString());
    const QList<PlayTime> times = frameTimes(play, options.speed);
    const int count = int(times.size());
    const QSize size = animationSize(play.court, options.width);
    FrameRenderer renderer(play, size);
    QByteArray png;
    std::optional<Placement> encoded;
    int encodedStep = -1;
    for (int i = 0; i < count; ++i) {
        if (wantsStop(progress, i, count))
            return animationCancelled();
        // A frame that shows what the one before showed (the pause at a step's end) is the
        // same picture; it is encoded once.
        const Placement placement = renderer.placementAt(times[i]);
        if (!encoded || *encoded != placement || encodedStep != times[i].step) {
            png.clear();
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            if (!writer.write(renderer.render(times[i])))
                return cannotWrite(target.filePath(sequenceFileName(name, i + 1, count)), writer.errorString());
            encoded = placement;
            encodedStep = times[i].step;
        }
        const QString path = temporary.filePath(sequenceFileName(name, i + 1, count));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.flush()) {
            return cannotWrite(target.filePath(sequenceFileName(name, i + 1, count)), file.errorString());
        }
    }
    // Into place: an earlier sequence of the same name goes, frame by frame, surplus frames
    // too, so that the folder holds this animation alone.
    const QRegularExpression numbered(QStringLiteral("^%1-(\\d{4,})\\.png$").arg(QRegularExpression::escape(name)));
    for (const QString &entry : target.entryList({ name + QStringLiteral("-*.png") }, QDir::Files)) {
        if (numbered.match(entry).hasMatch() && !QFile::remove(target.filePath(entry)))
            return cannotWrite(target.filePath(entry), tr("an earlier picture of that name cannot be replaced"));
    }
    for (int i = 0; i < count; ++i) {
        const QString file = sequenceFileName(name, i + 1, count);
        QFile moved(temporary.filePath(file));
        if (!moved.rename(target.filePath(file))) {
            // Not half a sequence: the frames already moved go too.
            for (int j = 0; j < i; ++j)
                QFile::remove(target.filePath(sequenceFileName(name, j + 1, count)));
            return cannotWrite(target.filePath(file), moved.errorString());
        }
    }
    if (progress)
        progress(count, count);
    return {};
}

} // namespace play

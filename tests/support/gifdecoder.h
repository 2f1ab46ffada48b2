#pragma once

// A GIF read back with giflib, for the tests of the animations: its size, its frames' delays,
// whether it loops, and any frame as a viewer shows it (each frame drawn over the ones before).

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>

#include <gif_lib.h>

#include <cstring>
#include <memory>

class DecodedGif {
public:
    explicit DecodedGif(const QString &path)
    {
        int error = 0;
        gif_.reset(DGifOpenFileName(QFile::encodeName(path).constData(), &error));
        if (!gif_) {
            error_ = QString::fromUtf8(GifErrorString(error));
            return;
        }
        if (DGifSlurp(gif_.get()) == GIF_ERROR) {
            error_ = QString::fromUtf8(GifErrorString(gif_->Error));
            return;
        }
        for (int i = 0; i < gif_->ImageCount; ++i) {
            GraphicsControlBlock control {};
            DGifSavedExtensionToGCB(gif_.get(), i, &control);
            delays_.append(control.DelayTime);
            transparent_.append(control.TransparentColor);
        }
    }

    // Empty when the file decoded.
    QString error() const { return error_; }
    QSize size() const { return gif_ ? QSize(gif_->SWidth, gif_->SHeight) : QSize(); }
    int frameCount() const { return gif_ ? gif_->ImageCount : 0; }
    QList<int> delays() const { return delays_; }

    // The looping application extension before the first frame, asking for endless loops.
    bool loopsForever() const
    {
        if (!gif_ || gif_->ImageCount == 0)
            return false;
        const SavedImage &first = gif_->SavedImages[0];
        for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
            const ExtensionBlock &block = first.ExtensionBlocks[i];
            const ExtensionBlock &data = first.ExtensionBlocks[i + 1];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11
                && std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 && data.Bytes[0] == 1)
                return data.Bytes[1] == 0 && data.Bytes[2] == 0;
        }
        return false;
    }

    // The picture on show once the frames up to this one were drawn, each over the others.
    QImage frame(int index) const
    {
        QImage canvas(size(), QImage::Format_RGB32);
        canvas.fill(Qt::black);
        for (int i = 0; i <= index && i < frameCount(); ++i) {
            const SavedImage &image = gif_->SavedImages[i];
            const ColorMapObject *map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif_->SColorMap;
            const GifImageDesc &d = image.ImageDesc;
            for (int y = 0; y < d.Height; ++y) {
                for (int x = 0; x < d.Width; ++x) {
                    const int index = image.RasterBits[y * d.Width + x];
                    if (index == transparent_[i] || !map || index >= map->ColorCount)
                        continue;
                    const GifColorType c = map->Colors[index];
                    if (canvas.rect().contains(d.Left + x, d.Top + y))
                        canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
                }
            }
        }
        return canvas;
    }

private:
    struct Closer {
        void operator()(GifFileType *gif) const { DGifCloseFile(gif, nullptr); }
    };
    std::unique_ptr<GifFileType, Closer> gif_;
    QString error_;
    QList<int> delays_;
    QList<int> transparent_;
};

#pragma once

// Pieces of the real system for tests that need one: environment variables set for a
// while, and a small tmpfs (root only).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <map>
#include <optional>
#include <string>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

// Sets or removes environment variables; every one is restored when it goes.
class EnvironmentOverride {
public:
    EnvironmentOverride() = default;
    EnvironmentOverride(const EnvironmentOverride &) = delete;
    EnvironmentOverride &operator=(const EnvironmentOverride &) = delete;
    ~EnvironmentOverride()
    {
        for (const auto &[name, value] : saved_) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }

    // An absent value removes the variable.
    void set(const char *name, const std::optional<QByteArray> &value)
    {
        if (!saved_.count(name))
            saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

private:
    std::map<std::string, std::optional<QByteArray>> saved_;
};

// A tmpfs of the given size mounted over a folder while the object lives; unmounted even
// when the test fails. Mounting needs root; skipReason() says why it did not happen.
// MS_RDONLY among the flags makes a folder that even root cannot write to.
class TmpfsMount {
public:
    TmpfsMount(const QString &folder, const char *size, unsigned long flags = 0)
        : folder_(QFile::encodeName(folder))
    {
        if (geteuid() != 0) {
            reason_ = "skipped: mounting a tmpfs needs root";
            return;
        }
        const QByteArray options = QByteArray("size=") + size;
        flags |= MS_NOSUID | MS_NODEV;
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", flags, options.constData()) == 0;
        if (!mounted_)
            reason_ = std::string("skipped: cannot mount a tmpfs here: ") + std::strerror(errno);
    }
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;
    ~TmpfsMount()
    {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }

    bool mounted() const { return mounted_; }
    const std::string &skipReason() const { return reason_; }

    // Writes a file until the file system has no room left.
    void fill() const
    {
        QFile filler(QDir(QFile::decodeName(folder_)).filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, '\0');
        while (filler.write(block) > 0) { }
    }

private:
    QByteArray folder_;
    bool mounted_ = false;
    std::string reason_;
};

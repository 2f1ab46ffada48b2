#pragma once

#include <QString>

// The maker's addresses and credit, as the first-use record, the terms screen and the about
// box give them. They are example.com addresses that belong to no one.
namespace maker {
inline const QString kWebSite = QStringLiteral("https://www.torvane.example.com/");
inline const QString kSocialPage = QStringLiteral("https://social.example.com/torvane");
inline const QString kPhotoPage = kSocialPage + QStringLiteral("/photos");
inline const QString kDeveloper = QStringLiteral("Mara Quill");
} // namespace maker

#include "support/fakeservices.h"

FakeServices::FakeServices()
    : clock(QDate(2026, 3, 14), QTime(10, 30, 0))
{
}

void FakeServices::messageBox(platform::MessageIcon icon, const QString &title, const QString &text)
{
    boxes.push_back({ icon, title, text });
    if (whileBoxOpen)
        whileBoxOpen();
}

void FakeServices::openWebAddress(QWidget *, const QString &address)
{
    opened.push_back(address);
}

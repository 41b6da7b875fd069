// A long task that fails must not leave the pointer busy for the rest of
// the session.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <stdexcept>

#include "ui/BusyPointer.h"

TEST(BusyPointer, AFailureThrownDuringALongTaskLeavesTheUsualPointer)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_THROW(
        {
            BusyPointer busy;
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            throw std::runtime_error("La mémoire manque pour traiter cette carte.");
        },
        std::runtime_error);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

#pragma once

#include <QWidget>
#include <gtest/gtest.h>

// A control of a window found by its object name; a missing one is a test failure.
template <class T>
T* controlo(QWidget& janela, const char* nome) {
    T* c = janela.findChild<T*>(QLatin1String(nome));
    EXPECT_NE(c, nullptr) << nome;
    return c;
}

#pragma once

#include "common/Resultado.h"

#include <gtest/gtest.h>

// A Resultado as a gtest assertion: ASSERT_TRUE(semFalha(f(...))) shows the failure's message.
template <class T>
testing::AssertionResult semFalha(const Resultado<T>& r) {
    if (r)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << r.mensagem().toStdString();
}

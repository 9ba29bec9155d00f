// The base of every case: C:\Quorvane is empty when a case begins and gone when it ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "MainDialog.h"
#include "QuorvaneFiles.h"

// How long a started program may take to end after it was told to.
const DWORD kExitMs = 10000;

class QuorvaneCase : public testing::Test {
protected:
    void SetUp() override { MakeEmptyQuorvaneFolder(); }
    void TearDown() override { RemoveQuorvaneFolder(); }
};

#pragma once

#include "CoreMinimal.h"
#include "Runtime/HostEditorUI.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const FString& Text, std::ostream* Out)
{
	*Out << '"' << FTCHARToUTF8(*Text).Get() << '"';
}

// Each test has the editor's user interface: Slate and the main window with its menu bar.
class EditorUITest : public ::testing::Test
{
protected:
	void SetUp() override { UI = std::make_unique<FHostEditorUI>(); }
	void TearDown() override { UI.reset(); }

	const FSlateDriver& Driver() const { return UI->GetDriver(); }

	std::unique_ptr<FHostEditorUI> UI;
};

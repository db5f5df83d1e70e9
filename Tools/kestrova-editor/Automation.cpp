#include "Automation.h"

#include "ContactSheet.h"
#include "EditorSession.h"

#include "Client/KestrovaText.h"
#include "HAL/FileManager.h"
#include "Misc/Paths.h"
#include "Runtime/HostAutomation.h"

#include <cstdio>
#include <filesystem>

namespace KVAEditor
{
	int RunAutomation(FEditorSession& Session, const FString& Filter, const FString& Output)
	{
		const TArray<FHostCheckReport> Reports = RunAutomationChecks(Filter);
		int32 Failed = 0;
		for (const FHostCheckReport& Report : Reports)
		{
			std::printf("Test Completed. Result={%s} Name={%s}\n", Report.bPassed ? "Success" : "Fail", KVAText::Utf8(Report.Name).c_str());
			for (const FString& Error : Report.Errors)
			{
				std::printf("  Error: %s\n", KVAText::Utf8(Error).c_str());
			}
			Failed += Report.bPassed ? 0 : 1;
		}
		std::printf("%d checks: %d passed, %d failed\n", Reports.Num(), Reports.Num() - Failed, Failed);

		// The screenshots the checks took, beside a contact sheet of them, in the order taken.
		const FString Captured = FPaths::Combine(FPaths::AutomationDir(), TEXT("Kestrova"));
		TArray<FString> Files;
		IFileManager::Get().FindFiles(Files, *Captured, TEXT(".png"));
		Files.Sort([&Captured](const FString& A, const FString& B)
		{
			return std::filesystem::last_write_time(KVAText::Utf8(FPaths::Combine(Captured, A))) < std::filesystem::last_write_time(KVAText::Utf8(FPaths::Combine(Captured, B)));
		});
		IFileManager::Get().MakeDirectory(*Output, true);
		TArray<FSheetPicture> Pictures;
		for (const FString& File : Files)
		{
			const FString Target = FPaths::Combine(Output, File);
			IFileManager::Get().Delete(*Target);
			if (IFileManager::Get().Move(*Target, *FPaths::Combine(Captured, File)))
			{
				Pictures.Add({Target, FPaths::GetBaseFilename(File)});
			}
		}
		Session.Frame();
		if (!Pictures.IsEmpty())
		{
			const FString Sheet = FPaths::Combine(Output, TEXT("contact-sheet.png"));
			WriteContactSheet(Pictures, 5, Sheet);
			std::printf("%d screenshots in %s (contact sheet: %s)\n", Pictures.Num(), KVAText::Utf8(Output).c_str(), KVAText::Utf8(Sheet).c_str());
		}
		std::fflush(stdout);
		return Reports.IsEmpty() || Failed > 0 ? 1 : 0;
	}
}

#include "WindowTestSupport.h"

#include "HAL/FileManager.h"
#include "Misc/Paths.h"

#include "ZipWriter.h"
#include "Widgets/Input/SSearchBox.h"

#include <chrono>
#include <cmath>
#include <thread>

FColor SRGB(const FLinearColor& Colour)
{
	return Colour.ToFColor(true);
}

FString Repeated(TCHAR Char, int32 Count)
{
	FString Text;
	for (int32 Index = 0; Index < Count; ++Index)
	{
		Text.AppendChar(Char);
	}
	return Text;
}

bool Near(const FColor& A, const FColor& B, int32 Tolerance)
{
	return std::abs(int32(A.R) - int32(B.R)) <= Tolerance && std::abs(int32(A.G) - int32(B.G)) <= Tolerance
		&& std::abs(int32(A.B) - int32(B.B)) <= Tolerance;
}

void WindowTest::SetUp()
{
	FEditorSession::FOptions Options;
	Options.WindowSize = WindowSize;
	Session.emplace(Options);
	ASSERT_TRUE(Session->IsReady());
	Host = &Session->GetRuntime();
	Service = Session->GetService();
	Membership = Session->GetMembership();
	Editor = &Session->GetEditor();
	UI = &Session->GetUI();
	OpenTab();
}

void WindowTest::TearDown()
{
	Window.Reset();
	Session.reset();
}

void WindowTest::OpenTab()
{
	ASSERT_EQ(Session->OpenLibrary(), TEXT(""));
	Window = Session->FindLibrary();
}

TSharedPtr<SButton> WindowTest::ButtonOf(const FString& Label) const
{
	for (const TSharedRef<STextBlock>& Text : Driver().FindTexts(Label))
	{
		if (TSharedPtr<SWidget> Button = FSlateDriver::FindAncestor(Text, TEXT("SButton")))
		{
			return StaticCastSharedPtr<SButton>(Button);
		}
	}
	return nullptr;
}

FString WindowTest::Click(const FString& Label)
{
	const FString Why = Driver().ClickText(Label);
	Frame();
	return Why;
}

bool WindowTest::IsEnabled(const FString& Label) const
{
	const TSharedPtr<SButton> Button = ButtonOf(Label);
	return Button.IsValid() && Driver().WhyNotClickable(Button.ToSharedRef()).IsEmpty();
}

bool WindowTest::Shows(const FString& Text) const
{
	return Driver().GetShownTexts().Contains(Text);
}

void WindowTest::Type(const FString& Text)
{
	Driver().Type(Text);
	Frame();
}

void WindowTest::PressEnter()
{
	Driver().PressKey(EKeys::Enter);
	Frame();
}

void WindowTest::SignIn()
{
	ASSERT_EQ(Click(TEXT("Sign in")), TEXT(""));
	ASSERT_TRUE(PumpWithClock([this] { return Window->Client->Connected() && !Window->bBusy; }));
}

void WindowTest::Search(const FString& Text)
{
	ASSERT_EQ(Driver().Click(Window->SearchBox.ToSharedRef()), TEXT(""));
	Frame();
	Driver().PressKey(EKeys::End);
	for (int32 Index = Window->SearchBox->GetText().ToString().Len(); Index > 0; --Index)
	{
		Driver().PressKey(EKeys::BackSpace);
	}
	Type(Text);
	PressEnter();
	ASSERT_TRUE(Settle());
}

void WindowTest::Choose(const FString& Title)
{
	Search(Title);
	ASSERT_EQ(Click(Title), TEXT(""));
	ASSERT_TRUE(Settle());
	ASSERT_TRUE(Window->Selected.IsValid());
}

void WindowTest::AddProduct(const std::string& Id, const std::string& Title, const std::vector<std::pair<std::string, std::string>>& Members,
	const std::string& Source, bool bLicence)
{
	KVAZip::FBuilder Builder;
	if (bLicence)
	{
		Builder.Add("license.txt", "Licensed to the member for use in their own projects.\n");
	}
	for (const auto& [Name, Bytes] : Members)
	{
		Builder.Add(Name, Bytes, KVAZip::Deflated);
	}
	KVAService::FProduct Product;
	Product.ProductId = Id;
	Product.Title = Title;
	Product.Kind = "asset";
	Product.SelectionId = "sel-" + Id;
	Product.Source = Source;
	Product.bInLibrary = true;
	Product.Packages.push_back(KVAService::FMembership::MakePackage("pkg-" + Id, Builder.Layout().Serialize()));
	Membership->AddProduct(Product);
}

void WindowTest::SaveState(const FString& Name)
{
	const FString Folder = TEXT(KVA_STATES_DIR);
	IFileManager::Get().MakeDirectory(*Folder, true);
	EXPECT_TRUE(Driver().SavePNG(FPaths::Combine(Folder, Name + TEXT(".png"))));
}

bool WindowTest::TextDrawnIn(const FString& Text, const FLinearColor& Colour) const
{
	const TSharedPtr<STextBlock> Block = Driver().FindText(Text);
	if (!Block.IsValid())
	{
		return false;
	}
	const FSlateRect Rect = Driver().GetRect(Block.ToSharedRef());
	const FSlateRenderedImage Image = Driver().Render();
	const FColor Wanted = SRGB(Colour);
	// Glyph edges blend into the background; the cores of the strokes are the colour itself.
	for (int32 Y = int32(Rect.Top); Y < int32(Rect.Bottom) && Y < Image.Height; ++Y)
	{
		for (int32 X = int32(Rect.Left); X < int32(Rect.Right) && X < Image.Width; ++X)
		{
			if (Near(Image.At(X, Y), Wanted, 4))
			{
				return true;
			}
		}
	}
	return false;
}

FColor WindowTest::PixelAt(const TSharedRef<SWidget>& Widget, float FractionX, float FractionY) const
{
	const FSlateRect Rect = Driver().GetRect(Widget);
	const FSlateRenderedImage Image = Driver().Render();
	const int32 X = int32(Rect.Left + (Rect.Right - Rect.Left) * FractionX);
	const int32 Y = int32(Rect.Top + (Rect.Bottom - Rect.Top) * FractionY);
	return Image.At(FMath::Clamp(X, 0, Image.Width - 1), FMath::Clamp(Y, 0, Image.Height - 1));
}

std::vector<KVAService::FRequestRecord> WindowTest::RequestsTo(const std::string& PathPrefix) const
{
	std::vector<KVAService::FRequestRecord> Out;
	for (const KVAService::FRequestRecord& Request : Service->Requests())
	{
		if (Request.Path.rfind(PathPrefix, 0) == 0)
		{
			Out.push_back(Request);
		}
	}
	return Out;
}

size_t WindowTest::CountPath(const std::string& Path) const
{
	size_t Count = 0;
	for (const KVAService::FRequestRecord& Request : Service->Requests())
	{
		Count += Request.Path == Path ? 1 : 0;
	}
	return Count;
}

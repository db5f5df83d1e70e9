#include "Widgets/Docking/SDockTab.h"

#include "Framework/Application/SlateApplication.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/Text/STextBlock.h"

SDockTab::SDockTab() : Content(SNullWidget::NullWidget) {}

void SDockTab::Construct(const FArguments& InArgs)
{
	Content = InArgs._Content.Widget;
	ContentPadding = InArgs._ContentPadding;
	TabRole = InArgs._TabRole;
	TabLabel = InArgs._Label;
	OnTabClosed = InArgs._OnTabClosed;
	OnTabActivated = InArgs._OnTabActivated;
	OnCanCloseTab = InArgs._OnCanCloseTab;
	bCanEverClose = InArgs._CanEverClose;
	MajorTabStyle = &FCoreStyle::Get().GetWidgetStyle<FDockTabStyle>("Docking.MajorTab");
	GenericTabStyle = &FCoreStyle::Get().GetWidgetStyle<FDockTabStyle>("Docking.Tab");
	SetToolTipText(InArgs._ToolTipText);
	const FButtonStyle& CloseButtonStyle = GetCurrentStyle().CloseButtonStyle;

	SBorder::Construct(SBorder::FArguments()
		.BorderImage(this, &SDockTab::GetImageBrush)
		.Padding(GetCurrentStyle().TabPadding)
		.VAlign(VAlign_Center)
		[
			SNew(SHorizontalBox)
			+ SHorizontalBox::Slot()
			.FillWidth(1.0f)
			.VAlign(VAlign_Center)
			[
				SNew(STextBlock)
				.Visibility(EVisibility::HitTestInvisible)
				.TextStyle(&GetCurrentStyle().TabTextStyle)
				.Text(this, &SDockTab::GetShownLabel)
				.OverflowPolicy(InArgs._LabelOverflowPolicy)
			]
			+ SHorizontalBox::Slot()
			.AutoWidth()
			.VAlign(VAlign_Center)
			.Padding(4.0f, 0.0f, 0.0f, 0.0f)
			[
				SNew(SButton)
				.ButtonStyle(&CloseButtonStyle)
				.ContentPadding(FMargin(0.0f))
				.IsFocusable(false)
				.Visibility(this, &SDockTab::GetCloseButtonVisibility)
				.OnClicked_Lambda([this]()
				{
					RequestCloseTab();
					return FReply::Handled();
				})
				[
					SNew(SBox)
					.WidthOverride(float(CloseButtonStyle.Normal.ImageSize.X))
					.HeightOverride(float(CloseButtonStyle.Normal.ImageSize.Y))
				]
			]
		]);
	SetForegroundColor(TAttribute<FSlateColor>(this, &SDockTab::GetTabForegroundColor));
}

void SDockTab::SetContent(TSharedRef<SWidget> InContent)
{
	Content = InContent;
	if (TSharedPtr<FTabManager> TabManager = MyTabManager.Pin(); TabManager.IsValid() && IsForeground())
	{
		TabManager->BringToFront(SharedThis(this));
	}
}

TSharedPtr<SWindow> SDockTab::GetParentWindow() const
{
	return FSlateApplication::IsInitialized() ? FSlateApplication::Get().FindWidgetWindow(AsShared()) : nullptr;
}

bool SDockTab::IsForeground() const
{
	const TSharedPtr<FTabManager> TabManager = MyTabManager.Pin();
	return TabManager.IsValid() && TabManager->GetActiveTab().Get() == this;
}

void SDockTab::ActivateInParent(ETabActivationCause InActivationCause)
{
	if (TSharedPtr<FTabManager> TabManager = MyTabManager.Pin())
	{
		TabManager->BringToFront(SharedThis(this));
	}
	OnTabActivated.ExecuteIfBound(SharedThis(this), InActivationCause);
}

void SDockTab::DrawAttention()
{
	if (TSharedPtr<FTabManager> TabManager = MyTabManager.Pin())
	{
		TabManager->DrawAttention(SharedThis(this));
	}
}

bool SDockTab::RequestCloseTab()
{
	if (!CanCloseTab())
	{
		return false;
	}
	const TSharedRef<SDockTab> Self = SharedThis(this);
	if (TSharedPtr<FTabManager> TabManager = MyTabManager.Pin())
	{
		TabManager->OnTabClosed(Self);
	}
	else
	{
		NotifyClosed();
	}
	return true;
}

void SDockTab::NotifyClosed()
{
	const TSharedRef<SDockTab> Self = SharedThis(this);
	OnTabClosed.ExecuteIfBound(Self);
	Content = SNullWidget::NullWidget;
	MyTabManager.Reset();
}

FReply SDockTab::OnMouseButtonDown(const FGeometry&, const FPointerEvent& MouseEvent)
{
	if (MouseEvent.GetEffectingButton() != EKeys::LeftMouseButton)
	{
		return FReply::Unhandled();
	}
	ActivateInParent(ETabActivationCause::UserClickedOnTab);
	return FReply::Handled();
}

const FDockTabStyle& SDockTab::GetCurrentStyle() const
{
	return GetVisualTabRole() == ETabRole::MajorTab ? *MajorTabStyle : *GenericTabStyle;
}

const FSlateBrush* SDockTab::GetImageBrush() const
{
	const FDockTabStyle& Style = GetCurrentStyle();
	if (IsForeground())
	{
		return &Style.ForegroundBrush;
	}
	return IsHovered() ? &Style.HoveredBrush : &Style.NormalBrush;
}

FSlateColor SDockTab::GetTabForegroundColor() const
{
	const FDockTabStyle& Style = GetCurrentStyle();
	if (IsForeground())
	{
		return Style.ForegroundForegroundColor;
	}
	return IsHovered() ? Style.HoveredForegroundColor : Style.NormalForegroundColor;
}

// The close button keeps its room but shows only on the front tab or under the mouse.
EVisibility SDockTab::GetCloseButtonVisibility() const
{
	return bCanEverClose && (IsForeground() || IsHovered()) ? EVisibility::Visible : EVisibility::Hidden;
}

FText SDockTab::GetShownLabel() const
{
	const FText Label = GetTabLabel();
	return Label.IsEmpty() ? DefaultLabel : Label;
}

#include "InputCoreTypes.h"

const FKey EKeys::LeftMouseButton("LeftMouseButton");
const FKey EKeys::RightMouseButton("RightMouseButton");
const FKey EKeys::MiddleMouseButton("MiddleMouseButton");
const FKey EKeys::MouseWheelAxis("MouseWheelAxis");
const FKey EKeys::BackSpace("BackSpace");
const FKey EKeys::Tab("Tab");
const FKey EKeys::Enter("Enter");
const FKey EKeys::Escape("Escape");
const FKey EKeys::SpaceBar("SpaceBar");
const FKey EKeys::PageUp("PageUp");
const FKey EKeys::PageDown("PageDown");
const FKey EKeys::End("End");
const FKey EKeys::Home("Home");
const FKey EKeys::Left("Left");
const FKey EKeys::Up("Up");
const FKey EKeys::Right("Right");
const FKey EKeys::Down("Down");
const FKey EKeys::Delete("Delete");
const FKey EKeys::LeftShift("LeftShift");
const FKey EKeys::LeftControl("LeftControl");
const FKey EKeys::A("A");
const FKey EKeys::Invalid;

bool FKey::IsMouseButton() const
{
	return *this == EKeys::LeftMouseButton || *this == EKeys::RightMouseButton || *this == EKeys::MiddleMouseButton;
}

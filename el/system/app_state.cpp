#include "el/system/app_state.h"

os::Window MainWindow = 0;
os::Lock InstanceMutex = 0;
std::string CommandLine;
uint32_t FullScreen = 1;
uint32_t AppActive = 0;
uint32_t CursorVisible = 1;
uint32_t MessageBoxOpen = 0;
int32_t WindowX = 0;
int32_t WindowY = 0;
os::Rect PresentRect;

int32_t MouseX = 0;
int32_t MouseY = 0;
uint32_t MouseButton = 0;
uint32_t LastMouseButton = 0;
uint32_t LeftButtonDown = 0;
uint32_t RightButtonDown = 0;
uint32_t LeftClick = 0;
uint32_t RightClick = 0;
uint32_t LeftDoubleClick = 0;
uint32_t RightDoubleClick = 0;
uint32_t TextInputClick = 0;

uint32_t LastKey = 0;
uint32_t LastKeyCopy = 0;
uint32_t OverlayKey = 0;
uint32_t TextInputKey = 0;
uint32_t CountedKey = 0;
uint32_t KeyUpCount = 0;

uint32_t QuitState = 0;
int32_t NextScene = 0;
uint32_t CursorClipOption = 0;

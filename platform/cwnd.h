// The MFC window object behind which the Windows host hands over its rich edit control
// (get_text_object). With MFC (VEXEL_WITH_MFC, Visual Studio builds) it is MFC's own CWnd.
// Without MFC it is a stand-in holding only the member the text field uses, the window
// handle; such a build works with a host (or test) that hands over this stand-in.
#pragma once

#if defined(VEXEL_WITH_MFC)
#include <afxwin.h>
#else
#include <windows.h>

class CWnd {
public:
    HWND m_hWnd;  // the rich edit control
};
#endif

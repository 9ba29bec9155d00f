// Export and import of the framework's classes across MFC42.DLL.
#pragma once

#ifdef FRAMEWORK_BUILD
#define FRAMEWORK_API __declspec(dllexport)
#else
#define FRAMEWORK_API __declspec(dllimport)
#endif

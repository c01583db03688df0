#pragma once
// The Windows error codes the program names, each once: what the ports
// return, the fakes reproduce, the outcome keeps and the texts explain.
// They mirror the system's ERROR_ names, whose values they are.

constexpr long kErrorSuccess = 0;                  // ERROR_SUCCESS
constexpr long kErrorFileNotFound = 2;             // ERROR_FILE_NOT_FOUND
constexpr long kErrorPathNotFound = 3;             // ERROR_PATH_NOT_FOUND
constexpr long kErrorAccessDenied = 5;             // ERROR_ACCESS_DENIED
constexpr long kErrorInvalidHandle = 6;            // ERROR_INVALID_HANDLE
constexpr long kErrorInvalidData = 13;             // ERROR_INVALID_DATA: a value of another type
constexpr long kErrorNotSameDevice = 17;           // ERROR_NOT_SAME_DEVICE: a move across volumes
constexpr long kErrorSharingViolation = 32;        // ERROR_SHARING_VIOLATION
constexpr long kErrorInvalidName = 123;            // ERROR_INVALID_NAME
constexpr long kErrorInvalidParameter = 87;        // ERROR_INVALID_PARAMETER
constexpr long kErrorDirNotEmpty = 145;            // ERROR_DIR_NOT_EMPTY
constexpr long kErrorBadPathname = 161;            // ERROR_BAD_PATHNAME: a folder not absolute
constexpr long kErrorAlreadyExists = 183;          // ERROR_ALREADY_EXISTS
constexpr long kErrorFilenameTooLong = 206;        // ERROR_FILENAME_EXCED_RANGE: does not fit
constexpr long kErrorMoreData = 234;               // ERROR_MORE_DATA
constexpr long kErrorNoMoreItems = 259;            // ERROR_NO_MORE_ITEMS
constexpr long kErrorDirectory = 267;              // ERROR_DIRECTORY: not a folder
constexpr long kErrorKeyDeleted = 1018;            // ERROR_KEY_DELETED
constexpr long kErrorNoUnicodeTranslation = 1113;  // ERROR_NO_UNICODE_TRANSLATION
constexpr long kErrorPrivilegeNotHeld = 1314;      // ERROR_PRIVILEGE_NOT_HELD

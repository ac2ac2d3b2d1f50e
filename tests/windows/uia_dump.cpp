// uia_dump TITLE: prints what UI Automation sees of the visible top-level window titled TITLE,
// one element a line in tree order: its name, its bounding box in screen pixels (left, top,
// width, height) and its value, separated by tabs, in UTF-8. Exits 1 when no such window is up.
//
// The checks under Wine read the game's numbers this way, as a Windows screen reader would:
// Qt's widgets are no native controls, so nothing else outside the program can read them. The
// node API is loaded at run time because MinGW-w64 declares and links none of it.
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Node = void*;

struct Condition {
    int type; // ConditionType_True: every element
};

struct CacheRequest {
    Condition* view;
    int scope; // TreeScope_Element
    int* properties;
    int propertyCount;
    int* patterns;
    int patternCount;
    int mode; // AutomationElementMode_Full
};

using FromHandle = HRESULT(WINAPI*)(HWND, Node*);
using GetProperty = HRESULT(WINAPI*)(Node, int, VARIANT*);
using Navigate = HRESULT(WINAPI*)(Node, int, Condition*, CacheRequest*, SAFEARRAY**, BSTR*);
using Release = BOOL(WINAPI*)(Node);
using FromVariant = HRESULT(WINAPI*)(VARIANT*, Node*);

constexpr int kBoundingRectangle = 30001;
constexpr int kName = 30005;
constexpr int kValue = 30045;
constexpr int kNextSibling = 1;
constexpr int kFirstChild = 3;

struct Api {
    FromHandle fromHandle;
    GetProperty getProperty;
    Navigate navigate;
    Release release;
    FromVariant fromVariant;
};

template <typename F> F load(HMODULE module, const char* name) {
    auto function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!function) {
        std::fprintf(stderr, "uia_dump: uiautomationcore.dll has no %s\n", name);
        std::exit(2);
    }
    return function;
}

std::string utf8(const wchar_t* text, int length) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string text(const Api& api, Node node, int property) {
    VARIANT value;
    VariantInit(&value);
    std::string out;
    if (SUCCEEDED(api.getProperty(node, property, &value)) && value.vt == VT_BSTR && value.bstrVal)
        out = utf8(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
    VariantClear(&value);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' '; // one element, one line
    return out;
}

std::string box(const Api& api, Node node) {
    VARIANT value;
    VariantInit(&value);
    std::string out = "0\t0\t0\t0";
    if (SUCCEEDED(api.getProperty(node, kBoundingRectangle, &value)) &&
        value.vt == (VT_ARRAY | VT_R8) && value.parray) {
        double* d = nullptr;
        if (SUCCEEDED(SafeArrayAccessData(value.parray, reinterpret_cast<void**>(&d)))) {
            char line[96];
            std::snprintf(line, sizeof line, "%.0f\t%.0f\t%.0f\t%.0f", d[0], d[1], d[2], d[3]);
            out = line;
            SafeArrayUnaccessData(value.parray);
        }
    }
    VariantClear(&value);
    return out;
}

// The node a navigation step leads to, or nullptr.
Node step(const Api& api, Node from, int direction) {
    Condition all{0};
    CacheRequest request{&all, 1, nullptr, 0, nullptr, 0, 1};
    SAFEARRAY* data = nullptr;
    BSTR tree = nullptr;
    Node to = nullptr;
    if (SUCCEEDED(api.navigate(from, direction, &all, &request, &data, &tree)) && data) {
        LONG index[2] = {0, 0};
        VARIANT first;
        VariantInit(&first);
        if (SUCCEEDED(SafeArrayGetElement(data, index, &first)))
            api.fromVariant(&first, &to);
        SafeArrayDestroy(data);
    }
    if (tree)
        SysFreeString(tree);
    return to;
}

void dump(const Api& api, Node node, int depth) {
    std::string line = std::to_string(depth) + '\t' + text(api, node, kName) + '\t' +
                       box(api, node) + '\t' + text(api, node, kValue) + '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    if (depth > 30)
        return;
    for (Node child = step(api, node, kFirstChild); child;) {
        dump(api, child, depth + 1);
        Node next = step(api, child, kNextSibling);
        api.release(child);
        child = next;
    }
}

struct Search {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK match(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t title[256];
    int length = GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && search->title == std::wstring(title, static_cast<std::size_t>(length))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: uia_dump TITLE\n");
        return 2;
    }
    Search search{argv[1]};
    EnumWindows(match, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;

    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    HMODULE module = LoadLibraryW(L"uiautomationcore.dll");
    if (!module) {
        std::fprintf(stderr, "uia_dump: no uiautomationcore.dll\n");
        return 2;
    }
    Api api{load<FromHandle>(module, "UiaNodeFromHandle"),
            load<GetProperty>(module, "UiaGetPropertyValue"),
            load<Navigate>(module, "UiaNavigate"), load<Release>(module, "UiaNodeRelease"),
            load<FromVariant>(module, "UiaHUiaNodeFromVariant")};
    Node root = nullptr;
    if (HRESULT result = api.fromHandle(search.found, &root); FAILED(result) || !root) {
        std::fprintf(stderr, "uia_dump: the window has no UI Automation node (%#lx)\n",
                     static_cast<unsigned long>(result));
        return 2;
    }
    dump(api, root, 0);
    api.release(root);
    std::fflush(stdout);
    return 0;
}

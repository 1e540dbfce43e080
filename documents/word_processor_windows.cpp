#include "word_processor.h"

// <windows.h> has to come before the other system headers.
// clang-format off
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>
// clang-format on

namespace sorvani::documents {
namespace {

using Microsoft::WRL::ComPtr;

// Word's Application class.
constexpr wchar_t kWordApplication[] = L"{000209FF-0000-0000-C000-000000000046}";

// Calls a member of an automation object by name; false when it fails.
bool Call(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* argument = nullptr,
          VARIANT* result = nullptr) {
    DISPID member = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member)))
        return false;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{argument, nullptr, argument ? 1u : 0u, 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    return SUCCEEDED(object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                                    result, nullptr, nullptr));
}

// The object a property or method returns.
ComPtr<IDispatch> Get(IDispatch* object, const wchar_t* name, WORD kind = DISPATCH_PROPERTYGET) {
    VARIANT result;
    VariantInit(&result);
    ComPtr<IDispatch> value;
    if (Call(object, name, kind, nullptr, &result) && result.vt == VT_DISPATCH && result.pdispVal)
        value = result.pdispVal;
    VariantClear(&result);
    return value;
}

// Ends a Word that the user cannot see, so that a failed hand-off leaves no Word running
// unseen. A Word that shows (the user's own, or ours made visible) is left alone.
void QuitIfInvisible(IDispatch* application) {
    VARIANT visible;
    VariantInit(&visible);
    const bool shown = Call(application, L"Visible", DISPATCH_PROPERTYGET, nullptr, &visible) &&
                       visible.vt == VT_BOOL && visible.boolVal != VARIANT_FALSE;
    VariantClear(&visible);
    if (shown) return;
    VARIANT dontSave;
    VariantInit(&dontSave);
    dontSave.vt = VT_BOOL;
    dontSave.boolVal = VARIANT_FALSE;
    Call(application, L"Quit", DISPATCH_METHOD, &dontSave);
}

class WordDocument : public WordProcessorDocument {
  public:
    explicit WordDocument(ComPtr<IDispatch> document) : document_(std::move(document)) {}

    bool Fill(const QString& text) override {
        const ComPtr<IDispatch> window = Get(document_.Get(), L"ActiveWindow");
        const ComPtr<IDispatch> selection = window ? Get(window.Get(), L"Selection") : nullptr;
        if (!selection) return false;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()),
                                          static_cast<UINT>(text.size()));
        const bool filled =
            value.bstrVal && Call(selection.Get(), L"Text", DISPATCH_PROPERTYPUT, &value);
        VariantClear(&value);
        return filled && Call(selection.Get(), L"MoveDown", DISPATCH_METHOD);
    }

  private:
    ComPtr<IDispatch> document_;
};

}  // namespace

std::unique_ptr<WordProcessorDocument> NewWordProcessorDocument() {
    // The window's thread has COM set up already; this only makes sure of it.
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(initialised) && initialised != RPC_E_CHANGED_MODE) return nullptr;
    CLSID word{};
    ComPtr<IDispatch> application;
    if (FAILED(CLSIDFromString(kWordApplication, &word)) ||
        FAILED(CoCreateInstance(word, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&application))))
        return nullptr;
    const ComPtr<IDispatch> documents = Get(application.Get(), L"Documents");
    ComPtr<IDispatch> document =
        documents ? Get(documents.Get(), L"Add", DISPATCH_METHOD) : nullptr;
    VARIANT visible;
    VariantInit(&visible);
    visible.vt = VT_BOOL;
    visible.boolVal = VARIANT_TRUE;
    if (!document || !Call(application.Get(), L"Visible", DISPATCH_PROPERTYPUT, &visible)) {
        QuitIfInvisible(application.Get());
        return nullptr;
    }
    return std::make_unique<WordDocument>(std::move(document));
}

}  // namespace sorvani::documents

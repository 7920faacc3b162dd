#include "runtime/win32/accessible_graphic.hpp"

#include <objbase.h>
#include <oleacc.h>

#include <initializer_list>
#include <memory>

#include "runtime/win32/system_library.hpp"

namespace tenmoru {

namespace {

// The system's standard object for the window, answering every question itself but the role, by
// get_accRole and through IDispatch alike. It offers the standard object's other interfaces
// (enumerating the children, the window) as its own, and as a service provider it answers for
// itself, so that a client going from one to another never meets the standard object and its
// client role.
class GraphicAccessible final : public IAccessible, public IEnumVARIANT, public IOleWindow, public IServiceProvider {
public:
    explicit GraphicAccessible(IAccessible* standard) noexcept : standard_(standard) {
        standard_->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children_));
        standard_->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&window_));
    }
    GraphicAccessible(const GraphicAccessible&) = delete;
    GraphicAccessible& operator=(const GraphicAccessible&) = delete;
    ~GraphicAccessible() {
        for (IUnknown* held : std::initializer_list<IUnknown*>{standard_, children_, window_})
            if (held != nullptr) held->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (InlineIsEqualGUID(iid, __uuidof(IUnknown)) || InlineIsEqualGUID(iid, __uuidof(IDispatch)) ||
            InlineIsEqualGUID(iid, __uuidof(IAccessible)))
            *object = static_cast<IAccessible*>(this);
        else if (InlineIsEqualGUID(iid, __uuidof(IEnumVARIANT)) && children_ != nullptr)
            *object = static_cast<IEnumVARIANT*>(this);
        else if (InlineIsEqualGUID(iid, __uuidof(IOleWindow)) && window_ != nullptr)
            *object = static_cast<IOleWindow*>(this);
        else if (InlineIsEqualGUID(iid, __uuidof(IServiceProvider)))
            *object = static_cast<IServiceProvider*>(this);
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const auto left = static_cast<ULONG>(InterlockedDecrement(&references_));
        if (left == 0) std::unique_ptr<GraphicAccessible>{this};  // the last reference ends the object
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return standard_->get_accRole(child, role);
        if (role == nullptr) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    // The role asked for by name (its one optional argument, the child, missing or given) is ours.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        if (id == DISPID_ACC_ROLE && (flags & DISPATCH_PROPERTYGET) != 0 && parameters != nullptr &&
            parameters->cArgs <= 1) {
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            const bool given =
                parameters->cArgs == 1 && parameters->rgvarg[0].vt != VT_EMPTY && parameters->rgvarg[0].vt != VT_ERROR;
            return get_accRole(given ? parameters->rgvarg[0] : self, result);
        }
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** child) override {
        return standard_->get_accChild(c, child);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT c, BSTR* name) override { return standard_->get_accName(c, name); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* value) override {
        return standard_->get_accValue(c, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* text) override {
        return standard_->get_accDescription(c, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* state) override {
        return standard_->get_accState(c, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* help) override { return standard_->get_accHelp(c, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT c, LONG* topic) override {
        return standard_->get_accHelpTopic(file, c, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(c, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* action) override {
        return standard_->get_accDefaultAction(c, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT c) override { return standard_->accSelect(how, c); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height, VARIANT c) override {
        return standard_->accLocation(x, y, width, height, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return standard_->accDoDefaultAction(c); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR name) override { return standard_->put_accName(c, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR value) override { return standard_->put_accValue(c, value); }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* children, ULONG* fetched) override {
        return children_->Next(count, children, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return children_->Skip(count); }
    HRESULT STDMETHODCALLTYPE Reset() override { return children_->Reset(); }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override { return children_->Clone(copy); }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return window_->GetWindow(window); }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override { return window_->ContextSensitiveHelp(enter); }

    // Asked for the accessible object as a service, this object answers; every other service is
    // refused. The standard object would answer them as oleacc's proxy (IIS_IsOleaccProxy), handing
    // out itself with its client role, and UI Automation reads no role of its own from a proxy.
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override {
        if (InlineIsEqualGUID(service, __uuidof(IAccessible))) return QueryInterface(iid, object);
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }

private:
    // One reference each, released with this object; the other interfaces null where the standard
    // object has none.
    IAccessible* standard_;
    IEnumVARIANT* children_ = nullptr;
    IOleWindow* window_ = nullptr;
    LONG references_ = 1;
};

// oleacc.dll is not one of the DLLs the system always takes from its own folder, so it is not
// imported (the loader would look beside the program first) but loaded from the system folder the
// first time a screen reader asks, and kept. LresultFromObject marshals the object through COM,
// which must be initialised on the thread that hands it out: the user-interface thread, here,
// entering its single-threaded apartment once, at the same moment.
struct Oleacc {
    decltype(&::CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
};

const Oleacc& LoadOleacc() noexcept {
    static const Oleacc oleacc = [] {
        const HMODULE library = LoadSystemLibrary(L"oleacc.dll");
        const Oleacc found{Procedure<decltype(::CreateStdAccessibleObject)>(library, "CreateStdAccessibleObject"),
                           Procedure<decltype(::LresultFromObject)>(library, "LresultFromObject")};
        auto* const initialize =
            Procedure<decltype(::CoInitializeEx)>(LoadSystemLibrary(L"ole32.dll"), "CoInitializeEx");
        if (initialize == nullptr) return Oleacc{};
        // RPC_E_CHANGED_MODE: the thread is in an apartment already, which serves as well.
        const HRESULT com = initialize(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(com) || com == RPC_E_CHANGED_MODE ? found : Oleacc{};
    }();
    return oleacc;
}

}  // namespace

LRESULT AnswerGetObjectAsGraphic(HWND control, WPARAM flags, LPARAM objectId) noexcept {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return DefWindowProcW(control, WM_GETOBJECT, flags, objectId);
    const Oleacc& oleacc = LoadOleacc();
    IAccessible* standard = nullptr;
    if (oleacc.createStandard == nullptr || oleacc.lresultFromObject == nullptr ||
        FAILED(
            oleacc.createStandard(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard)))) {
        return DefWindowProcW(control, WM_GETOBJECT, flags, objectId);
    }
    // LresultFromObject takes a reference of its own for the caller; ours goes at once.
    const auto graphic = std::make_unique<GraphicAccessible>(standard).release();
    const LRESULT result = oleacc.lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(graphic));
    graphic->Release();
    return result;
}

}  // namespace tenmoru

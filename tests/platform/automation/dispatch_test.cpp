#include <gtest/gtest.h>

#include <atomic>

#include "platform/automation/client.h"
#include "platform/automation/error_info.h"
#include "platform/automation/type_info.h"

namespace flexel::automation {
namespace {

// A small late-bound object: a list of three texts with a writable name, a failing member and
// itself as enumerator, answering Invoke through PrepareInvoke as a server does.
constexpr ParamInfo kIndex[] = {{"Index", VarType::kI4}};
constexpr MemberInfo kMembers[] = {
    {"Count", 1, DISPATCH_PROPERTYGET, VarType::kI4, {}},
    {"Item", 0, DISPATCH_PROPERTYGET, VarType::kBstr, kIndex},
    {"Name", 201, DISPATCH_PROPERTYGET, VarType::kBstr, {}},
    {"Name", 201, DISPATCH_PROPERTYPUT, VarType::kBstr, {}},
    {"Broken", 202, DISPATCH_PROPERTYGET, VarType::kBstr, {}},
    {"_NewEnum", DISPID_NEWENUM, DISPATCH_PROPERTYGET, VarType::kUnknown, {}},
};
constexpr InterfaceInfo kList{"IList", GUID::Literal("{11111111-2222-3333-4444-555555555555}"), "",
                              kMembers};

class TextList final : public IDispatch, public IEnumVARIANT {
 public:
  HRESULT QueryInterface(const GUID& iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kList.iid)
      *out = static_cast<IDispatch*>(this);
    else if (iid == IID_IEnumVARIANT)
      *out = static_cast<IEnumVARIANT*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return ++m_refs; }
  std::uint32_t Release() override {
    const std::uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
  }
  HRESULT GetIDsOfNames(std::string_view name, DISPID* id) override {
    const auto found = kList.IdOfName(name);
    *id = found.value_or(DISPID_UNKNOWN);
    return found ? S_OK : DISP_E_UNKNOWNNAME;
  }
  const InterfaceInfo* GetTypeInfo() override { return &kList; }
  HRESULT Invoke(DISPID id, std::uint16_t flags, std::span<const Variant> args,
                 Variant* result) override {
    const MemberInfo* member = nullptr;
    std::vector<Variant> a;
    if (HRESULT hr = PrepareInvoke(kList, id, flags, args, &member, a); Failed(hr)) return hr;
    *result = Variant();
    switch (id) {
      case 1:
        *result = static_cast<std::int32_t>(m_items.size());
        break;
      case 0:
        *result = m_items.at(static_cast<std::size_t>(a[0].ToInt()));
        break;
      case 201:
        if (member->kind == DISPATCH_PROPERTYPUT)
          m_name = a[0].ToString();
        else
          *result = m_name;
        break;
      case 202:
        SetErrorInfo(ErrorInfo{kList.iid, "List.Source", "List index out of bounds (9)", "", 0});
        return E_UNEXPECTED;
      case DISPID_NEWENUM:
        m_position = 0;
        *result = RefPtr<IUnknown>(static_cast<IEnumVARIANT*>(this));
        break;
    }
    return S_OK;
  }
  HRESULT Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) override {
    std::uint32_t stored = 0;
    while (stored < count && m_position < m_items.size()) items[stored++] = m_items[m_position++];
    if (fetched) *fetched = stored;
    return stored == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(std::uint32_t) override { return E_NOTIMPL; }
  HRESULT Reset() override {
    m_position = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumVARIANT** out) override {
    *out = this;
    AddRef();
    return S_OK;
  }

 private:
  std::atomic<std::uint32_t> m_refs{0};
  std::vector<std::string> m_items{"uno", "dos", "tres"};
  std::string m_name;
  std::size_t m_position = 0;
};

Dispatch NewList() { return Dispatch(RefPtr<IDispatch>(static_cast<IDispatch*>(new TextList))); }

TEST(Dispatch, GetPutAndCallReachMembersByNameWithoutRegardToCase) {
  const Dispatch list = NewList();
  EXPECT_EQ(list.Get("count").ToInt(), 3);
  EXPECT_EQ(list.Get("ITEM", {1}).ToString(), "dos");
  EXPECT_EQ(list.Call("Item", {"2"}).ToString(), "tres");
  list.Put("name", 42);
  EXPECT_EQ(list.Get("Name").ToString(), "42");
  std::vector<std::string> seen;
  for (const auto& item : list.Elements()) seen.push_back(item.ToString());
  EXPECT_EQ(seen, (std::vector<std::string>{"uno", "dos", "tres"}));
}

struct FailureCase {
  const char* name;
  std::function<void(const Dispatch&)> call;
  HRESULT hr;
  const char* message;
  const char* source;
};

class DispatchFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DispatchFailure, ThrowsWithCodeAndMessage) {
  const auto& c = GetParam();
  // Error information left over from an earlier call must not be reported for this one.
  SetErrorInfo(ErrorInfo{IID_IDispatch, "stale", "stale message", "", 0});
  try {
    c.call(NewList());
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.hresult(), c.hr);
    EXPECT_STREQ(e.what(), c.message);
    EXPECT_EQ(e.source(), c.source);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dispatch, DispatchFailure,
    ::testing::Values(FailureCase{"UnknownName", [](const Dispatch& d) { (void)d.Get("date"); },
                                  DISP_E_UNKNOWNNAME, "Unknown name: date", ""},
                      FailureCase{"WriteToReadOnly", [](const Dispatch& d) { d.Put("Count", 1); },
                                  DISP_E_MEMBERNOTFOUND, "Member not found: Count", ""},
                      FailureCase{"MissingArgument", [](const Dispatch& d) { (void)d.Get("Item"); },
                                  DISP_E_BADPARAMCOUNT, "Invalid number of parameters: Item", ""},
                      FailureCase{"ArgumentOfWrongType",
                                  [](const Dispatch& d) { (void)d.Get("Item", {"x"}); },
                                  DISP_E_TYPEMISMATCH, "Type mismatch: Item", ""},
                      FailureCase{"MemberFailure", [](const Dispatch& d) { (void)d.Get("Broken"); },
                                  E_UNEXPECTED, "List index out of bounds (9)", "List.Source"},
                      FailureCase{"NotAnObject",
                                  [](const Dispatch& d) { (void)d.Get("Count").Get("Name"); },
                                  E_POINTER, "Object required: Name", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrepareInvoke, PicksTheKindAndReportsTheBadArgument) {
  const MemberInfo* member = nullptr;
  std::vector<Variant> coerced;
  const Variant value[] = {Variant("x")};
  ASSERT_EQ(PrepareInvoke(kList, 201, DISPATCH_PROPERTYPUT, value, &member, coerced), S_OK);
  EXPECT_EQ(member->kind, DISPATCH_PROPERTYPUT);
  ASSERT_EQ(PrepareInvoke(kList, 201, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &member, coerced),
            S_OK);
  EXPECT_EQ(member->kind, DISPATCH_PROPERTYGET);
  EXPECT_EQ(PrepareInvoke(kList, 77, DISPATCH_PROPERTYGET, {}, &member, coerced),
            DISP_E_MEMBERNOTFOUND);
  std::uint32_t bad = 99;
  const Variant wrong[] = {Variant("seven")};
  EXPECT_EQ(PrepareInvoke(kList, 0, DISPATCH_PROPERTYGET, wrong, &member, coerced, &bad),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(bad, 0u);
  EXPECT_EQ(member, nullptr);
}

}  // namespace
}  // namespace flexel::automation

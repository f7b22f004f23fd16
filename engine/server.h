#pragma once
// The in-process server frame of an engine plug-in: the four exports, the class factory of
// Languages (the only class created from outside), and registration of the class under
// HKEY_CLASSES_ROOT. Implemented once here and parameterised by the engine's descriptor; a
// plug-in is its descriptor and one line:
//   FLEXEL_ENGINE_EXPORTS(MyDescriptor())

#include <string>

#include "engine/auto_object.h"
#include "engine/engine_descriptor.h"

namespace flexel::engine {

// The plug-in file this code is linked into, as a full path.
[[nodiscard]] std::string ModulePath();
// The plug-in's folder + the type library's name + "/".
[[nodiscard]] std::string DataDirectory(const TypeLibrary& library);

// A new Languages object with its own engine, as the class factory makes it.
[[nodiscard]] automation::RefPtr<IDispatch> CreateLanguages(const EngineDescriptor& descriptor);

[[nodiscard]] HRESULT ServerGetClassObject(const EngineDescriptor& descriptor,
                                           const automation::GUID* clsid,
                                           const automation::GUID* iid, void** out) noexcept;
[[nodiscard]] HRESULT ServerCanUnloadNow() noexcept;
// The keys go into HKEY_CLASSES_ROOT of the registry folder; libraryPath defaults to
// ModulePath(). A failure leaves error information with its message.
[[nodiscard]] HRESULT ServerRegister(const EngineDescriptor& descriptor,
                                     const std::string& libraryPath = {}) noexcept;
[[nodiscard]] HRESULT ServerUnregister(const EngineDescriptor& descriptor) noexcept;

}  // namespace flexel::engine

// The four C exports of an engine plug-in over its descriptor (an expression giving a
// const EngineDescriptor&). Only these are visible outside the plug-in.
#define FLEXEL_ENGINE_EXPORTS(descriptor)                                                          \
  extern "C" __attribute__((visibility("default"))) flexel::automation::HRESULT DllGetClassObject( \
      const flexel::automation::GUID* clsid, const flexel::automation::GUID* iid, void** out) {    \
    return flexel::engine::ServerGetClassObject(descriptor, clsid, iid, out);                      \
  }                                                                                                \
  extern "C" __attribute__((visibility("default"))) flexel::automation::HRESULT                    \
  DllCanUnloadNow() {                                                                              \
    return flexel::engine::ServerCanUnloadNow();                                                   \
  }                                                                                                \
  extern "C" __attribute__((visibility("default"))) flexel::automation::HRESULT                    \
  DllRegisterServer() {                                                                            \
    return flexel::engine::ServerRegister(descriptor);                                             \
  }                                                                                                \
  extern "C" __attribute__((visibility("default"))) flexel::automation::HRESULT                    \
  DllUnregisterServer() {                                                                          \
    return flexel::engine::ServerUnregister(descriptor);                                           \
  }

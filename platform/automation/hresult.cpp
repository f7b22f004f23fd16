#include "platform/automation/hresult.h"

#include <cstdio>

namespace flexel::automation {

std::string HResultHex(HRESULT hr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hr));
  return buffer;
}

std::string HResultText(HRESULT hr) {
  switch (hr) {
    case S_OK:
      return "Success";
    case S_FALSE:
      return "False";
    case E_UNEXPECTED:
      return "Unexpected failure";
    case E_NOTIMPL:
      return "Not implemented";
    case E_NOINTERFACE:
      return "No such interface supported";
    case E_POINTER:
      return "Invalid pointer";
    case E_FAIL:
      return "Unspecified error";
    case E_OUTOFMEMORY:
      return "Out of memory";
    case E_INVALIDARG:
      return "The parameter is incorrect";
    case CLASS_E_NOAGGREGATION:
      return "Class does not support aggregation";
    case CLASS_E_CLASSNOTAVAILABLE:
      return "Class factory cannot supply requested class";
    case REGDB_E_CLASSNOTREG:
      return "Class not registered";
    case CO_E_ERRORINDLL:
      return "Error in the library";
    case DISP_E_MEMBERNOTFOUND:
      return "Member not found";
    case DISP_E_TYPEMISMATCH:
      return "Type mismatch";
    case DISP_E_UNKNOWNNAME:
      return "Unknown name";
    case DISP_E_OVERFLOW:
      return "Overflow";
    case DISP_E_BADPARAMCOUNT:
      return "Invalid number of parameters";
    default:
      return "Error " + HResultHex(hr);
  }
}

}  // namespace flexel::automation

#include "tests/win/host/host_profile.h"

#include <array>

namespace tandrel::win::host {
namespace {

// {xxxxxxxx-0000-0000-C000-000000000046}, the range both the extensibility libraries and Office use.
constexpr IID OleIid(unsigned long first) {
  return {first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

constexpr std::array<MissingBar, 1> kOfficeEditorMissingBars{{{u"Add-Ins", false}}};
constexpr std::array<MissingBar, 2> kLocalizedOfficeEditorMissingBars{{{u"Add-Ins", false}, {u"Edit", true}}};

}  // namespace

const HostProfile kVisualBasicProfile{
    L"VisualBasic",     OleIid(0x0002E100), OleIid(0x0002E112), OleIid(0x0002E175),
    OleIid(0x0002E16D), OleIid(0x0002E197), OleIid(0x0002E198), {},
};

const HostProfile kOfficeEditorProfile{
    L"OfficeEditor",    OleIid(0x0002E166), OleIid(0x0002E167), OleIid(0x0002E176),
    OleIid(0x0002E16E), OleIid(0x0002E130), OleIid(0x0002E131), kOfficeEditorMissingBars,
};

const HostProfile kLocalizedOfficeEditorProfile{
    L"LocalizedOfficeEditor", OleIid(0x0002E166), OleIid(0x0002E167), OleIid(0x0002E176),
    OleIid(0x0002E16E),       OleIid(0x0002E130), OleIid(0x0002E131), kLocalizedOfficeEditorMissingBars,
};

const IID kIidCommandBars = OleIid(0x000C0302);
const IID kIidCommandBar = OleIid(0x000C0304);
const IID kIidCommandBarControls = OleIid(0x000C0306);
const IID kIidCommandBarControl = OleIid(0x000C0308);
const IID kIidCommandBarButton = OleIid(0x000C030E);
const IID kIidCommandBarPopup = OleIid(0x000C030A);

}  // namespace tandrel::win::host

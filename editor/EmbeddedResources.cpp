#include "EmbeddedResources.h"

#include <BinaryData.h>

namespace EmbeddedResources
{
namespace
{
    juce::Image picture (const char* data, int size)
    {
        return juce::ImageCache::getFromMemory (data, size);
    }
}

juce::Image backgroundPicture()         { return picture (BinaryData::background_png, BinaryData::background_pngSize); }
juce::Image panelPicture()              { return picture (BinaryData::panel_png, BinaryData::panel_pngSize); }
juce::Image captionPicture()            { return picture (BinaryData::captions_png, BinaryData::captions_pngSize); }
juce::Image upgradeButtonPicture()      { return picture (BinaryData::upgrade_button_png, BinaryData::upgrade_button_pngSize); }
juce::Image upgradeButtonHoverPicture() { return picture (BinaryData::upgrade_button_hover_png, BinaryData::upgrade_button_hover_pngSize); }
juce::Image infoButtonPicture()         { return picture (BinaryData::info_button_png, BinaryData::info_button_pngSize); }
juce::Image infoButtonHoverPicture()    { return picture (BinaryData::info_button_hover_png, BinaryData::info_button_hover_pngSize); }
juce::Image closeButtonPicture()        { return picture (BinaryData::close_button_png, BinaryData::close_button_pngSize); }
juce::Image closeButtonHoverPicture()   { return picture (BinaryData::close_button_hover_png, BinaryData::close_button_hover_pngSize); }
juce::Image overlayPanelPicture()       { return picture (BinaryData::overlay_panel_png, BinaryData::overlay_panel_pngSize); }

std::unique_ptr<juce::Drawable> createKnobIcon (KnobIcon which)
{
    struct Svg { const char* data; int size; };
    static const std::array<Svg, numKnobIcons> icons {{
        { BinaryData::icon_harmonics_svg,   BinaryData::icon_harmonics_svgSize },
        { BinaryData::icon_pressure_svg,    BinaryData::icon_pressure_svgSize },
        { BinaryData::icon_air_svg,         BinaryData::icon_air_svgSize },
        { BinaryData::icon_mids_svg,        BinaryData::icon_mids_svgSize },
        { BinaryData::icon_trans_svg,       BinaryData::icon_trans_svgSize },
        { BinaryData::icon_compression_svg, BinaryData::icon_compression_svgSize },
        { BinaryData::icon_width_svg,       BinaryData::icon_width_svgSize },
    }};
    const auto& svg = icons[(size_t) which];
    return juce::Drawable::createFromImageData (svg.data, (size_t) svg.size);
}

juce::Typeface::Ptr blackTypeface()
{
    return juce::Typeface::createSystemTypefaceFor (BinaryData::LatoBlack_ttf, (size_t) BinaryData::LatoBlack_ttfSize);
}

juce::Typeface::Ptr bookTypeface()
{
    return juce::Typeface::createSystemTypefaceFor (BinaryData::ManropeRegular_ttf, (size_t) BinaryData::ManropeRegular_ttfSize);
}
}

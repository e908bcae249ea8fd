// JucePluginDefines.h: the plug-in's identity and capabilities as JUCE's AAX wrapper reads them.
#pragma once

// Formats: this module is an AAX plug-in and nothing else.
#define JucePlugin_Build_VST 0
#define JucePlugin_Build_VST3 0
#define JucePlugin_Build_AU 0
#define JucePlugin_Build_AUv3 0
#define JucePlugin_Build_RTAS 0
#define JucePlugin_Build_AAX 1
#define JucePlugin_Build_Standalone 0
#define JucePlugin_Build_Unity 0
#define JucePlugin_Build_LV2 0
#define JucePlugin_Enable_ARA 0
#define JucePlugin_Enable_IAA 0

// Names and codes.
#define JucePlugin_Name "VANTO Groundwork Kick"
#define JucePlugin_Desc "VANTOGroundworkKick"
#define JucePlugin_Manufacturer "VANTO"
#define JucePlugin_ManufacturerWebsite ""
#define JucePlugin_ManufacturerEmail ""
#define JucePlugin_ManufacturerCode 0x56346e74 // 'V4nt'
#define JucePlugin_PluginCode 0x4730776b       // 'G0wk'
#define JucePlugin_Version 1.0.0
#define JucePlugin_VersionCode 0x00010000
#define JucePlugin_VersionString "1.0.0"

// Capabilities: an audio effect without MIDI.
#define JucePlugin_IsSynth 0
#define JucePlugin_WantsMidiInput 0
#define JucePlugin_ProducesMidiOutput 0
#define JucePlugin_IsMidiEffect 0
#define JucePlugin_EditorRequiresKeyboardFocus 0
// Without this list the wrapper would register a component for every layout
// the processor accepts, and it accepts every layout.
#define JucePlugin_PreferredChannelConfigurations { 1, 1 }, { 2, 2 }

// The largest block the host hands the process procedure, as a power of two:
// 2^10 = 1024 samples. The wrapper also prepares the processor for this block
// size before the first block arrives.
enum AAX_EAudioBufferLength : int
{
    AAX_eAudioBufferLength_Max = 10
};

// AAX registration.
#define JucePlugin_AAXIdentifier com.VANTO.VANTOGroundworkKick
#define JucePlugin_AAXManufacturerCode JucePlugin_ManufacturerCode
#define JucePlugin_AAXProductId JucePlugin_PluginCode
#define JucePlugin_AAXCategory 0x00002000
#define JucePlugin_AAXDisableBypass 0
#define JucePlugin_AAXDisableMultiMono 0
#define JucePlugin_AAXDisableAudioSuite 0
#define JucePlugin_AAXDisableDynamicProcessing 0
#define JucePlugin_AAXDisableDefaultSettingsChunks 0
#define JucePlugin_AAXDisableSaveRestore 0

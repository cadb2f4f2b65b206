#pragma once
// The numbers of the language texts, by name. A number is a text's place in the built-in English
// list and in every ".zlng" file, so it never changes. Where the code counts through a group of
// texts, the group's first (and last) text is named.

// Status and message texts
inline constexpr int kTextChooseDirectory = 1;
inline constexpr int kTextReadingDirectory = 2;
inline constexpr int kTextAddingFiles = 3;
inline constexpr int kTextReady = 4;
inline constexpr int kTextDeletingItems = 5;
inline constexpr int kTextNoEntries = 6;
inline constexpr int kTextVolume = 7;
inline constexpr int kTextSorting = 8;
inline constexpr int kTextSpeed = 9;
inline constexpr int kTextPaused = 10;
inline constexpr int kTextBalanceCenter = 11;
inline constexpr int kTextBalanceLeft = 12;
inline constexpr int kTextBalanceRight = 13;
inline constexpr int kTextLoading = 14;
inline constexpr int kTextLanguageChanged = 15;
inline constexpr int kTextSubtitleChanged = 16;
inline constexpr int kTextJumpedToChapter = 17;
inline constexpr int kTextConnecting = 18;
inline constexpr int kTextClosing = 19;
inline constexpr int kTextTimejump = 20;
inline constexpr int kTextIsPlaying = 21;
inline constexpr int kTextConfirmDeleteFiles = 22;
inline constexpr int kTextDvd = 23;
inline constexpr int kTextSwitchingToFullscreen = 26;
inline constexpr int kTextSwitchingToDesktop = 27;
inline constexpr int kTextSwitchingToWindow = 28;
inline constexpr int kTextPlaylistSummary = 29;
inline constexpr int kTextEqualizerBand = 30;
inline constexpr int kTextScreenshotSaved = 31;
inline constexpr int kTextRefreshingTags = 32;
inline constexpr int kTextAudioStreamChanged = 33;
inline constexpr int kTextSubtitleStreamChanged = 34;
inline constexpr int kTextDvdPlain = 35;
inline constexpr int kTextDvdFile = 36;
inline constexpr int kTextShellAdd = 37;
inline constexpr int kTextShellPlay = 38;
inline constexpr int kTextBrightness = 39;
inline constexpr int kTextNoScript = 40;
inline constexpr int kTextDvdDirectory = 41;
inline constexpr int kTextShellPlayDvd = 42;
inline constexpr int kTextShellDvdMovie = 43;

// Main popup menu
inline constexpr int kTextMenuAbout = 44;
inline constexpr int kTextMenuSettings = 45;
inline constexpr int kTextMenuMainWindow = 46;
inline constexpr int kTextMenuMediaControls = 47;
inline constexpr int kTextMenuPlaylist = 48;
inline constexpr int kTextMenuClose = 49;
inline constexpr int kTextMenuRestore = 50;
inline constexpr int kTextMenuMinimize = 51;
inline constexpr int kTextMenuHelpCenter = 52;
inline constexpr int kTextMenuVideo = 53;
inline constexpr int kTextMenuAudio = 54;

// "Help center" submenu
inline constexpr int kTextMenuTellAFriend = 55;
inline constexpr int kTextMenuHomepage = 56;
inline constexpr int kTextMenuFaq = 57;
inline constexpr int kTextMenuFeedback = 58;
inline constexpr int kTextMenuLiveUpdate = 59;
inline constexpr int kTextMenuNews = 60;

// Live-stream submenu caption
inline constexpr int kTextMenuLiveStream = 61;

// "Tell a friend..." mail (long texts)
inline constexpr int kTextMailSubject = 62;
inline constexpr int kTextMailRecipient = 63;
inline constexpr int kTextMailFirstLine = 64;
inline constexpr int kTextMailLastLine = 71;

// Live-stream submenu items
inline constexpr int kTextMenuRecord = 72;
inline constexpr int kTextMenuStopRecording = 73;

// Playlist window popup menu
inline constexpr int kTextListAddFiles = 74;
inline constexpr int kTextListAddDirectory = 75;
inline constexpr int kTextListAddMedium = 76;
inline constexpr int kTextListAddUrl = 77;
inline constexpr int kTextListPlayItems = 78;
inline constexpr int kTextListFileInformation = 79;
inline constexpr int kTextListRemoveSelected = 80;
inline constexpr int kTextListCropItems = 81;
inline constexpr int kTextListSortItems = 82;
inline constexpr int kTextListFindItem = 83;
inline constexpr int kTextListSelectAll = 84;
inline constexpr int kTextListSelectNone = 85;
inline constexpr int kTextListInvertSelection = 86;
inline constexpr int kTextListClear = 87;
inline constexpr int kTextListLoad = 88;
inline constexpr int kTextListSave = 89;
inline constexpr int kTextListDeleteFiles = 90;
inline constexpr int kTextListRefreshTags = 91;

// Playlist "Sort items" submenu
inline constexpr int kTextSortCaption = 92;
inline constexpr int kTextSortReverse = 99;

// Hints of the main window controls
inline constexpr int kTextHintClose = 100;
inline constexpr int kTextHintMinimize = 101;
inline constexpr int kTextHintEject = 102;
inline constexpr int kTextHintForward = 103;
inline constexpr int kTextHintStop = 104;
inline constexpr int kTextHintPause = 105;
inline constexpr int kTextHintPlay = 106;
inline constexpr int kTextHintRewind = 107;
inline constexpr int kTextHintProgress = 108;
inline constexpr int kTextHintVolume = 109;
inline constexpr int kTextHintSettings = 110;
inline constexpr int kTextHintEqualizer = 111;
inline constexpr int kTextHintPlaylist = 112;
inline constexpr int kTextHintPlayMode = 113;
inline constexpr int kTextHintAutoFullscreen = 114;
inline constexpr int kTextHintAutoVideoResize = 115;
inline constexpr int kTextHintScrollLabel = 116;
inline constexpr int kTextHintTime = 117;
inline constexpr int kTextHintBalance = 118;
inline constexpr int kTextHintMute = 119;
inline constexpr int kTextHintProgressKnob = 120;
inline constexpr int kTextHintVolumeKnob = 121;

// Settings dialog buttons and labels
inline constexpr int kTextDialogCancel = 122;
inline constexpr int kTextDialogApply = 123;
inline constexpr int kTextDialogOk = 124;
inline constexpr int kTextDialogDefault = 125;
inline constexpr int kTextSkinLabel = 126;
inline constexpr int kTextLanguageLabel = 127;

// Settings dialog page names
inline constexpr int kTextPageGeneral = 128;
inline constexpr int kTextPageFileTypes = 129;
inline constexpr int kTextPageSystem = 140;

// Settings page "General"
inline constexpr int kTextGeneralShowIn = 142;
inline constexpr int kTextGeneralTaskbarOnly = 143;
inline constexpr int kTextGeneralTrayOnly = 144;
inline constexpr int kTextGeneralTaskbarAndTray = 145;
inline constexpr int kTextGeneralTimejump = 146;
inline constexpr int kTextGeneralTimejumpValue = 147;
inline constexpr int kTextGeneralScrollLabel = 148;
inline constexpr int kTextGeneralNoScrolling = 149;
inline constexpr int kTextGeneralScrollLeft = 150;
inline constexpr int kTextGeneralScrollRight = 151;
inline constexpr int kTextGeneralLiveUpdate = 152;
inline constexpr int kTextGeneralAutoUpdate = 153;
inline constexpr int kTextGeneralOther = 154;
inline constexpr int kTextGeneralRememberIndex = 155;
inline constexpr int kTextGeneralMemory = 156;
inline constexpr int kTextGeneralSwapMemory = 157;
inline constexpr int kTextGeneralNews = 158;
inline constexpr int kTextGeneralNewsOnStartup = 159;

// Settings page "Filetypes"
inline constexpr int kTextFileTypesRegister = 160;
inline constexpr int kTextFileTypesUnregister = 161;
inline constexpr int kTextFileTypesNone = 162;
inline constexpr int kTextFileTypesRefresh = 163;
inline constexpr int kTextFileTypesSelectNone = 164;
inline constexpr int kTextFileTypesSelectAll = 165;
inline constexpr int kTextFileTypesContextMenu = 166;
inline constexpr int kTextFileTypesContextMenuDvd = 167;

// Settings page "Playlist"
inline constexpr int kTextPlaylistOnAdd = 168;
inline constexpr int kTextPlaylistAddReadTags = 169;
inline constexpr int kTextPlaylistAddReadTime = 170;
inline constexpr int kTextPlaylistAddCheckValid = 171;
inline constexpr int kTextPlaylistOnPlay = 172;
inline constexpr int kTextPlaylistPlayReadTags = 173;
inline constexpr int kTextPlaylistPlayReadTime = 174;
inline constexpr int kTextPlaylistListbox = 175;
inline constexpr int kTextPlaylistDrawNumbers = 176;
inline constexpr int kTextPlaylistDrawTime = 177;
inline constexpr int kTextPlaylistDrawIcons = 178;
inline constexpr int kTextPlaylistSearch = 179;
inline constexpr int kTextPlaylistHideOnPlay = 180;
inline constexpr int kTextPlaylistStatusAlign = 181;
inline constexpr int kTextPlaylistAlignDisabled = 182;
inline constexpr int kTextPlaylistAlignLeft = 183;
inline constexpr int kTextPlaylistAlignCenter = 184;
inline constexpr int kTextPlaylistAlignRight = 185;
inline constexpr int kTextPlaylistReadListFiles = 186;
inline constexpr int kTextPlaylistOnDrop = 187;
inline constexpr int kTextPlaylistDropDisabled = 188;
inline constexpr int kTextPlaylistDropAdd = 189;
inline constexpr int kTextPlaylistDropReplace = 190;

// Settings page "Skins"
inline constexpr int kTextSkinsColorBlend = 191;
inline constexpr int kTextSkinsAlpha = 192;
inline constexpr int kTextSkinsColor = 193;

// Settings page "Audio"
inline constexpr int kTextAudioCrossfader = 194;
inline constexpr int kTextAudioCrossfadeActive = 195;
inline constexpr int kTextAudioCrossfadeMsec = 196;
inline constexpr int kTextAudioVolumeFader = 197;
inline constexpr int kTextAudioVolumeFadeActive = 198;
inline constexpr int kTextAudioVolumeFadeMsec = 199;
inline constexpr int kTextAudioNetRadio = 200;
inline constexpr int kTextAudioMaxRetries = 201;
inline constexpr int kTextAudioRetryDelay = 202;
inline constexpr int kTextAudioOutputDevice = 203;
inline constexpr int kTextAudioStreamSaving = 204;
inline constexpr int kTextAudioSaveTo = 205;
inline constexpr int kTextAudioSaveNone = 206;
inline constexpr int kTextAudioSaveMp3 = 207;
inline constexpr int kTextAudioAutoTitle = 208;
inline constexpr int kTextAudioAutoRecord = 209;
inline constexpr int kTextAudioFormatMask = 210;
inline constexpr int kTextAudioSpeakers = 211;
inline constexpr int kTextAudioOutputPath = 212;

// Settings page "System"
inline constexpr int kTextSystemPlayMode = 213;
inline constexpr int kTextSystemPlayModeNone = 214;
inline constexpr int kTextSystemRepeat = 215;
inline constexpr int kTextSystemRandom = 216;
inline constexpr int kTextSystemNextUntilEnd = 217;
inline constexpr int kTextSystemNextLoop = 218;
inline constexpr int kTextSystemAnalyzer = 219;
inline constexpr int kTextSystemLines = 220;
inline constexpr int kTextSystemBars = 221;
inline constexpr int kTextSystemShowPeaks = 222;
inline constexpr int kTextSystemShowSpectrum = 223;
inline constexpr int kTextSystemMotionBlur = 224;
inline constexpr int kTextSystemPeakFall = 225;
inline constexpr int kTextSystemLineFall = 226;

// Settings page "Video"
inline constexpr int kTextVideoOnPlay = 227;
inline constexpr int kTextVideoAutoFullscreen = 228;
inline constexpr int kTextVideoAutoResize = 229;
inline constexpr int kTextVideoAutoCenter = 230;
inline constexpr int kTextVideoOnPlaying = 231;
inline constexpr int kTextVideoNoScreensaver = 232;
inline constexpr int kTextVideoHideCursor = 233;
inline constexpr int kTextVideoColourControls = 234;
inline constexpr int kTextVideoColourReset = 235;
inline constexpr int kTextVideoBrightness = 236;
inline constexpr int kTextVideoContrast = 237;
inline constexpr int kTextVideoHue = 238;
inline constexpr int kTextVideoSaturation = 239;
inline constexpr int kTextVideoSharpness = 240;
inline constexpr int kTextVideoGamma = 241;
inline constexpr int kTextVideoUserRatio = 242;

// Settings page "VideoFilter"
inline constexpr int kTextFilterDvdScript = 243;
inline constexpr int kTextFilterMediaTypes = 244;
inline constexpr int kTextFilterType = 245;
inline constexpr int kTextFilterScript = 246;

// Settings page "OSD"
inline constexpr int kTextOsdPosition = 247;
inline constexpr int kTextOsdFont = 248;
inline constexpr int kTextOsdColor = 249;
inline constexpr int kTextOsdSize = 250;
inline constexpr int kTextOsdPreview = 251;
inline constexpr int kTextOsdPreviewText = 252;
inline constexpr int kTextOsdShow = 253;

// Settings page "VideoDefault"
inline constexpr int kTextVideoDefaultLanguage = 254;
inline constexpr int kTextVideoDefaultSubtitle = 255;
inline constexpr int kTextVideoDefaultFirstSubtitle = 256;

// Settings page "VideoFSControl"
inline constexpr int kTextFullscreenControlOptions = 257;
inline constexpr int kTextFullscreenControlActive = 258;

// Media controls, speed hint
inline constexpr int kTextSpeedHint = 259;

// Video window popup menu
inline constexpr int kTextVideoMenuPreviousChapter = 260;
inline constexpr int kTextVideoMenuPrevious = 261;
inline constexpr int kTextVideoMenuPause = 262;
inline constexpr int kTextVideoMenuPlay = 263;
inline constexpr int kTextVideoMenuStop = 264;
inline constexpr int kTextVideoMenuNext = 265;
inline constexpr int kTextVideoMenuNextChapter = 266;
inline constexpr int kTextVideoMenuForwardSpeed = 267;
inline constexpr int kTextVideoMenuBackwardSpeed = 268;
inline constexpr int kTextVideoMenuMode = 269;
inline constexpr int kTextVideoMenuRatio = 270;
inline constexpr int kTextVideoMenuDigitalZoom = 271;
inline constexpr int kTextVideoMenuShowMenu = 272;
inline constexpr int kTextVideoMenuAudioTracks = 273;
inline constexpr int kTextVideoMenuSubtitles = 274;
inline constexpr int kTextVideoMenuJumpTo = 275;
inline constexpr int kTextVideoMenuClose = 276;
inline constexpr int kTextVideoMenuScreenshot = 277;

// Video mode submenu
inline constexpr int kTextModeFullscreen = 278;
inline constexpr int kTextModeWindow = 280;

// Video ratio submenu
inline constexpr int kTextRatioStretched = 281;
inline constexpr int kTextRatioUserDefined = 287;

// Digital zoom submenu
inline constexpr int kTextZoomOff = 288;
inline constexpr int kTextZoom200 = 292;

// DVD menus submenu
inline constexpr int kTextDvdMenuIntro = 293;
inline constexpr int kTextDvdMenuChapters = 298;

// Subtitle submenu
inline constexpr int kTextShowSubtitles = 299;
inline constexpr int kTextSubtitlesOff = 300;

// Jump-to submenu
inline constexpr int kTextJumpTitle = 301;
inline constexpr int kTextJumpChapter = 302;

// Screenshot submenu
inline constexpr int kTextScreenshotOriginal = 303;
inline constexpr int kTextScreenshotWhatYouSee = 304;

// Search window
inline constexpr int kTextSearchTitle = 305;
inline constexpr int kTextSearchKeyword = 306;
inline constexpr int kTextSearchResults = 307;
inline constexpr int kTextSearchCancel = 308;
inline constexpr int kTextSearchSelect = 309;

// Search window, search-for choices
inline constexpr int kTextSearchFor = 310;
inline constexpr int kTextSearchAll = 311;
inline constexpr int kTextSearchAudio = 312;
inline constexpr int kTextSearchVideo = 313;

// Item editor window
inline constexpr int kTextItemFileName = 315;
inline constexpr int kTextItemIndex = 316;
inline constexpr int kTextItemCaption = 318;
inline constexpr int kTextItemTime = 319;
inline constexpr int kTextItemTrack = 320;
inline constexpr int kTextItemPlayed = 321;
inline constexpr int kTextItemSelected = 322;
inline constexpr int kTextItemEdit = 323;
inline constexpr int kTextItemCancel = 324;
inline constexpr int kTextItemReload = 325;
inline constexpr int kTextItemEntry = 326;
inline constexpr int kTextItemFileInfo = 327;

// Add CD/DVD dialog
inline constexpr int kTextAddMediumTitle = 328;
inline constexpr int kTextAddMediumDrives = 329;
inline constexpr int kTextAddMediumOk = 330;
inline constexpr int kTextAddMediumCancel = 331;
inline constexpr int kTextAddMediumNone = 332;

// Add URL dialog
inline constexpr int kTextAddUrlTitle = 333;
inline constexpr int kTextAddUrlLabel = 334;
inline constexpr int kTextAddUrlDefault = 335;
inline constexpr int kTextAddUrlOk = 336;
inline constexpr int kTextAddUrlCancel = 337;

// Tag editor (item editor pages)
inline constexpr int kTextTagId3v1 = 338;
inline constexpr int kTextTagId3v2 = 339;
inline constexpr int kTextTagUseId3v1 = 340;
inline constexpr int kTextTagUseId3v2 = 341;
inline constexpr int kTextTagTrack = 342;
inline constexpr int kTextTagTitle = 343;
inline constexpr int kTextTagArtist = 344;
inline constexpr int kTextTagAlbum = 345;
inline constexpr int kTextTagYear = 346;
inline constexpr int kTextTagGenre = 347;
inline constexpr int kTextTagComment = 348;
inline constexpr int kTextTagComposer = 349;
inline constexpr int kTextTagLanguage = 350;
inline constexpr int kTextTagCopyright = 351;
inline constexpr int kTextTagUrl = 352;
inline constexpr int kTextTagEncodedBy = 353;
inline constexpr int kTextTagId3v1ToId3v2 = 354;
inline constexpr int kTextTagId3v2ToId3v1 = 355;

// Settings page "Shortcuts"
inline constexpr int kTextShortcutsOption = 356;
inline constexpr int kTextShortcutsHotkey = 357;
inline constexpr int kTextShortcutsReset = 358;
inline constexpr int kTextShortcutsAdd = 359;
inline constexpr int kTextShortcutsRemove = 360;
inline constexpr int kTextShortcutsEdit = 361;
inline constexpr int kTextShortcutsNoKey = 362;
inline constexpr int kTextShortcutsSystemWideColumn = 363;
inline constexpr int kTextShortcutsSystemWide = 364;

// Equalizer menu (media controls window)
inline constexpr int kTextEqualizerReset = 365;
inline constexpr int kTextEqualizerLoad = 366;
inline constexpr int kTextEqualizerSave = 367;
inline constexpr int kTextEqualizerPresets = 368;

// Hotkey action names
inline constexpr int kTextFirstHotkeyAction = 369;
inline constexpr int kTextLastHotkeyAction = 419;

// News window
inline constexpr int kTextNewsTitle = 420;
inline constexpr int kTextNewsOk = 421;
inline constexpr int kTextNewsDontShow = 422;

// The built-in English texts, numbered from 1 in file order. They are plain ASCII.
#include "lang/englishtexts.h"

const std::array<const char*, TZLanguage::kTextCount> kEnglishTexts = {
    // clang-format off
    // 1-43: status and message texts
    "Choose directory",  // 1
    "Reading directory ...",  // 2
    "Adding files...",  // 3
    "Ready",  // 4
    "Deleting items...",  // 5
    "No entrys in playlist.",  // 6
    "[ Volume %3.1f %s ]",  // 7
    "Sorting...",  // 8
    "[ Speed %d %s ]",  // 9
    "Paused",  // 10
    "[ Balance Center ]",  // 11
    "[ Balance Left %d %s ]",  // 12
    "[ Balance Right %d %s ]",  // 13
    "Loading...",  // 14
    "Changing language to %s",  // 15
    "Changing subtitle to %s",  // 16
    "Jump to chapter %d in title %d",  // 17
    "Connecting...",  // 18
    "Zephonic is closing...",  // 19
    "Timejump %s",  // 20
    "[ %s is playing ]",  // 21
    "Would you really like delete all selected files ?",  // 22
    "[ DVD: %s ]",  // 23
    "[ VCD: %s ]",  // 24
    "[ SVCD: %s ]",  // 25
    "Switching to fullscreen playback",  // 26
    "Switching to desktop playback",  // 27
    "Switching to window playback",  // 28
    "Entrys: %d playduration: %d day(s) %d hour(s) %d minute(s) %d second(s)",  // 29
    "Equalizer %s: %s",  // 30
    "Screenshot saved as '%s'",  // 31
    "Refreshing ID3 Tag(s)...",  // 32
    "Changed Audiostream to '%s'",  // 33
    "Changed Subtitlestream to '%s'",  // 34
    "[ DVD ]",  // 35
    "[ DVD File: %s ]",  // 36
    "Add to Zephonic",  // 37
    "Play in Zephonic",  // 38
    "Brightness %d %s",  // 39
    "No script",  // 40
    "[ DVD Directory: %s ]",  // 41
    "Play DVD with Zephonic",  // 42
    "Play DVD movie",  // 43
    // 44-54: main popup menu
    "About Zephonic",  // 44
    "Configuration...",  // 45
    "Main window",  // 46
    "Mediacontrols window",  // 47
    "Playlist window",  // 48
    "Close Zephonic",  // 49
    "Restore",  // 50
    "Minimize",  // 51
    "Help center",  // 52
    "Video",  // 53
    "Audio",  // 54
    // 55-60: "Help center" submenu
    "Tell a friend...",  // 55
    "Homepage",  // 56
    "Online FAQ",  // 57
    "Online Feedback",  // 58
    "LiveUpdate!",  // 59
    "News",  // 60
    // 61: live-stream submenu caption
    "Livestream",  // 61
    // 62-71: "Tell a friend..." mail (long texts)
    "Zephonic Mediaplayer recommend",  // 62
    "recipient@example.com",  // 63
    "Hello!",  // 64
    "Do you use more than one program to play audio and video files, too? I would like to recommend the Zephonic",  // 65
    "Mediaplayer, which supports not only nearly every available filetype. It even impresses among other features,",  // 66
    "with a high-functional DVD-mode and includes livestream, shoutcast, digital zoom and desktop-viewing. A great",  // 67
    "multimedia tool, which is permanently updated and downloadable for free.",  // 68
    "Visit the Zephonic homepage",  // 69
    "and enjoy the future of mediaplayers right now.",  // 70
    "",  // 71
    // 72-73: live-stream submenu items
    "Record",  // 72
    "Stop",  // 73
    // 74-91: playlist window popup menu
    "Add files...",  // 74
    "Add directory...",  // 75
    "Add CD/DVD medium...",  // 76
    "Add url...",  // 77
    "Play item(s)",  // 78
    "Fileinformation",  // 79
    "Remove selected item(s)",  // 80
    "Crop item(s)",  // 81
    "Sort items",  // 82
    "Find item",  // 83
    "Select all",  // 84
    "Select none",  // 85
    "Invert selection",  // 86
    "Clear playlist",  // 87
    "Load playlist...",  // 88
    "Save playlist...",  // 89
    "Remove file(s) from harddisk",  // 90
    "Refresh ID3 Tag(s)",  // 91
    // 92-99: playlist "Sort items" submenu
    "Caption",  // 92
    "Filename",  // 93
    "Time",  // 94
    "Track",  // 95
    "Audio",  // 96
    "Video",  // 97
    "Random",  // 98
    "Reverse",  // 99
    // 100-121: hints of the main window controls
    "Close",  // 100
    "Minimize",  // 101
    "Add file(s)...",  // 102
    "Forward",  // 103
    "Stop",  // 104
    "Pause",  // 105
    "Play",  // 106
    "Rewind",  // 107
    "Progress",  // 108
    "Volume",  // 109
    "Configuration...",  // 110
    "Toggle equalizer",  // 111
    "Toggle playlist",  // 112
    "Toggle playmode",  // 113
    "Toggle autofullscreen",  // 114
    "Toggle autovideoresize",  // 115
    "Scrolltext",  // 116
    "Time",  // 117
    "Balance",  // 118
    "Toggle mute",  // 119
    "Progress",  // 120
    "Volume",  // 121
    // 122-127: settings dialog buttons and labels
    "Cancel",  // 122
    "Apply",  // 123
    "OK",  // 124
    "Default",  // 125
    "Skin: %s",  // 126
    "Language: %s",  // 127
    // 128-140: settings dialog page names
    "General",  // 128
    "Filetypes",  // 129
    "Shortcuts",  // 130
    "Playlist",  // 131
    "Skins",  // 132
    "Languages",  // 133
    "Audio",  // 134
    "Video",  // 135
    "Filter",  // 136
    "OSD",  // 137
    "Default",  // 138
    "Fullscreen Control",  // 139
    "System",  // 140
    // 141-159: settings page "General"
    "Always on top",  // 141
    "Show Zephonic in",  // 142
    "Taskbar only",  // 143
    "Systray only",  // 144
    "Taskbar + Systray",  // 145
    "Timejump",  // 146
    "Value (msec)",  // 147
    "Scrolllabel",  // 148
    "No scrolling",  // 149
    "Left scrolling",  // 150
    "Right scrolling",  // 151
    "LiveUpdate!",  // 152
    "Download automatic update if zephonic starts",  // 153
    "Other",  // 154
    "Remember last played index",  // 155
    "Memory management",  // 156
    "Swap file memory management",  // 157
    "News",  // 158
    "Show on startup",  // 159
    // 160-167: settings page "Filetypes"
    "Register filetypes",  // 160
    "Unregister filetypes",  // 161
    "None",  // 162
    "Refresh filetypes",  // 163
    "Select none",  // 164
    "Select all",  // 165
    "Enable Windows Explorer Context-Menu for Mediafiles",  // 166
    "Enable Windows Explorer Context-Menu for DVD",  // 167
    // 168-190: settings page "Playlist"
    "OnFileAdd",  // 168
    "Read ID3 Tag",  // 169
    "Read Time",  // 170
    "Check is valid file",  // 171
    "OnFilePlaying",  // 172
    "Read ID3 Tag",  // 173
    "Read Time",  // 174
    "Listbox",  // 175
    "Draw numbers",  // 176
    "Draw Time",  // 177
    "Draw Filetype icons",  // 178
    "Search",  // 179
    "Hide on play",  // 180
    "Statusbar align",  // 181
    "Disabled",  // 182
    "Left align",  // 183
    "Center align",  // 184
    "Right align",  // 185
    "Read Playlist files",  // 186
    "OnDrag && Drop",  // 187
    "Disabled",  // 188
    "Add",  // 189
    "Replace",  // 190
    // 191-193: settings page "Skins"
    "Color Blend",  // 191
    "Alpha:",  // 192
    "Color:",  // 193
    // 194-212: settings page "Audio"
    "Crossfader",  // 194
    "Active",  // 195
    "msec",  // 196
    "Volumefader",  // 197
    "Active",  // 198
    "msec",  // 199
    "NetRadio (connection retries)",  // 200
    "Max retries",  // 201
    "Time between retry in msec",  // 202
    "Output device",  // 203
    "Livestream autosaving",  // 204
    "Save to:",  // 205
    "None",  // 206
    "MPEG-Layer 3",  // 207
    "Autochange title",  // 208
    "Auto record",  // 209
    "Formatmask:",  // 210
    "Speaker environment (experimental):",  // 211
    "Output path:",  // 212
    // 213-226: settings page "System"
    "Playmode",  // 213
    "None (deactivate)",  // 214
    "Repeat",  // 215
    "Random",  // 216
    "Jump to next until end",  // 217
    "Jump to next until end (Loop)",  // 218
    "Analyzer",  // 219
    "Lines",  // 220
    "Bars",  // 221
    "Showpeaks",  // 222
    "Showspectrum",  // 223
    "Motionblur",  // 224
    "Peaks falls off:",  // 225
    "Lines falls off:",  // 226
    // 227-242: settings page "Video"
    "OnFilePlay",  // 227
    "Automatic fullscreen",  // 228
    "Automatic Videoresize",  // 229
    "Automatic center video",  // 230
    "OnPlaying",  // 231
    "Screensaver disabled",  // 232
    "Hide Cursor",  // 233
    "Colorcontrols",  // 234
    "Reset",  // 235
    "Brightness",  // 236
    "Contrast",  // 237
    "Hue",  // 238
    "Saturation",  // 239
    "Sharpness",  // 240
    "Gamma",  // 241
    "Userdefined ratio",  // 242
    // 243-246: settings page "VideoFilter"
    "DVD Filtergraph Script",  // 243
    "Media Filtergraph Types",  // 244
    "Type",  // 245
    "Script",  // 246
    // 247-253: settings page "OSD"
    "Position",  // 247
    "Font",  // 248
    "Color",  // 249
    "Size",  // 250
    "Preview",  // 251
    "OSD Preview",  // 252
    "Show OSD",  // 253
    // 254-256: settings page "VideoDefault"
    "Language",  // 254
    "Subtitle",  // 255
    "Select first subtitle if default failed.",  // 256
    // 257-258: settings page "VideoFSControl"
    "Options",  // 257
    "Active",  // 258
    // 259: media controls, speed hint
    "Speed",  // 259
    // 260-277: video window popup menu
    "Previos chapter",  // 260
    "Previos",  // 261
    "Pause",  // 262
    "Play",  // 263
    "Stop",  // 264
    "Next",  // 265
    "Next chapter",  // 266
    "Forward speed",  // 267
    "Backward speed",  // 268
    "Mode",  // 269
    "Ratio",  // 270
    "Digital-Zoom",  // 271
    "Show menu",  // 272
    "Languages / Audiotracks",  // 273
    "Subtitles",  // 274
    "Jump to",  // 275
    "Close",  // 276
    "Screenshot",  // 277
    // 278-280: video mode submenu
    "Fullscreen",  // 278
    "Desktop",  // 279
    "Window",  // 280
    // 281-287: video ratio submenu
    "Stretched",  // 281
    "Letterbox",  // 282
    "Crop",  // 283
    "4:3",  // 284
    "16:9",  // 285
    "2.35:1",  // 286
    "Userdefinied",  // 287
    // 288-292: digital zoom submenu
    "Off",  // 288
    "125%",  // 289
    "150%",  // 290
    "175%",  // 291
    "200%",  // 292
    // 293-298: DVD menus submenu
    "Intro menu",  // 293
    "Main menu",  // 294
    "Subtitles menu",  // 295
    "Languages menu",  // 296
    "Angels menu",  // 297
    "Chapter menu",  // 298
    // 299-300: subtitle submenu
    "Show subtitles",  // 299
    "Off",  // 300
    // 301-302: jump-to submenu
    "Title %d",  // 301
    "Chapter %d",  // 302
    // 303-304: screenshot submenu
    "Original",  // 303
    "What you see",  // 304
    // 305-309: search window
    "Search",  // 305
    "Keyword",  // 306
    "Results",  // 307
    "Cancel",  // 308
    "Select",  // 309
    // 310-313: search window, search-for choices
    "Search for",  // 310
    "All",  // 311
    "Audio",  // 312
    "Video",  // 313
    // 314-327: item editor window
    "Information",  // 314
    "FileName",  // 315
    "Index",  // 316
    "General",  // 317
    "Caption",  // 318
    "Time",  // 319
    "Track",  // 320
    "Played",  // 321
    "Selected",  // 322
    "Edit",  // 323
    "Cancel",  // 324
    "Reload",  // 325
    "Playlistentry",  // 326
    "Fileinfo",  // 327
    // 328-332: add CD/DVD dialog
    "Add CD/DVD",  // 328
    "Drives:",  // 329
    "OK",  // 330
    "Cancel",  // 331
    "No medium found.",  // 332
    // 333-337: add URL dialog
    "Add URL",  // 333
    "URL:",  // 334
    "http://",  // 335
    "OK",  // 336
    "Cancel",  // 337
    // 338-355: tag editor (item editor pages)
    "ID3v1",  // 338
    "ID3v2",  // 339
    "Use ID3v1 Tag",  // 340
    "Use ID3v2 tag",  // 341
    "Track #",  // 342
    "Title",  // 343
    "Artist",  // 344
    "Album",  // 345
    "Year",  // 346
    "Genre",  // 347
    "Comment",  // 348
    "Composer",  // 349
    "Language",  // 350
    "Copyright",  // 351
    "URL",  // 352
    "Encoded by",  // 353
    "ID3v1 to ID3v2",  // 354
    "ID3v2 to ID3v1",  // 355
    // 356-364: settings page "Shortcuts"
    "Option",  // 356
    "Hotkey",  // 357
    "Reset",  // 358
    "Add",  // 359
    "Remove",  // 360
    "Edit",  // 361
    "No key pressed",  // 362
    "Systemwide",  // 363
    "Systemwide",  // 364
    // 365-368: equalizer menu (media controls window)
    "Reset Equalizer",  // 365
    "Load Equalizer...",  // 366
    "Save Equalizer...",  // 367
    "Equalizer profile",  // 368
    // 369-419: hotkey action names
    "None",  // 369
    "Next",  // 370
    "Previos",  // 371
    "Pause",  // 372
    "Play",  // 373
    "Stop",  // 374
    "Increment Volume",  // 375
    "Decrement Volume",  // 376
    "Increment Brightness",  // 377
    "Decrement Brightness",  // 378
    "Timejump Forward",  // 379
    "Timejump Backward",  // 380
    "Toggle fullscreen",  // 381
    "Switch to window mode",  // 382
    "Switch to desktop mode",  // 383
    "Switch to fullscreen mode",  // 384
    "Open playlist search",  // 385
    "Toggle mute",  // 386
    "Playlist caption sort",  // 387
    "Playlist filename sort",  // 388
    "Playlist time sort",  // 389
    "Playlist track sort",  // 390
    "Playlist audio sort",  // 391
    "Playlist video sort",  // 392
    "Playlist random sort",  // 393
    "Playlist reverse sort",  // 394
    "Add files",  // 395
    "Add directory",  // 396
    "Add medium",  // 397
    "Add URL",  // 398
    "Set speed to 25%",  // 399
    "Set speed to 50%",  // 400
    "Set speed to 75%",  // 401
    "Set speed to 100%",  // 402
    "Set speed to 125%",  // 403
    "Set speed to 150%",  // 404
    "Set speed to 175%",  // 405
    "Set speed to 200%",  // 406
    "Set speed to 225%",  // 407
    "Set speed to 250%",  // 408
    "Set digitalzoom to 100%",  // 409
    "Set digitalzoom to  125%",  // 410
    "Set digitalzoom to  150%",  // 411
    "Set digitalzoom to  175%",  // 412
    "Set digitalzoom to  200%",  // 413
    "Close Zephonic",  // 414
    "Screenshot original",  // 415
    "Screenshot fixed",  // 416
    "Audio Livestream Record",  // 417
    "Audio Livestream Stop",  // 418
    "Zephonic to front",  // 419
    // 420-422: news window
    "News",  // 420
    "OK",  // 421
    "Dont show this window on next startup",  // 422
    // clang-format on
};

// Where Quorvane puts the picture on each monitor. SystemSetting leaves it to the desktop's own
// style; the others make Quorvane compose the whole wallpaper itself.
#pragma once

enum class PicturePosition { SystemSetting, Fill, Fit, Stretch, Center, Tile };

// In the order the window lists them.
constexpr PicturePosition kPicturePositions[] = {PicturePosition::SystemSetting, PicturePosition::Fill,
                                                 PicturePosition::Fit,           PicturePosition::Stretch,
                                                 PicturePosition::Center,        PicturePosition::Tile};

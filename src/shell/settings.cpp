#include "shell/settings.h"

#include "shell/settings_reader.h"

Settings readSettings(const SettingsReader& reader)
{
    const Settings defaults;
    Settings settings;
    settings.width = static_cast<int>(reader.getInteger("window", "width", defaults.width));
    settings.height = static_cast<int>(reader.getInteger("window", "height", defaults.height));
    settings.title = reader.get("window", "title", defaults.title);
    settings.fullscreen = reader.getBoolean("window", "fullscreen", defaults.fullscreen);
    settings.brightness =
        static_cast<float>(reader.getReal("window", "brightness", defaults.brightness));
    settings.fov = static_cast<float>(reader.getReal("camera", "fov", defaults.fov));
    settings.near = static_cast<float>(reader.getReal("camera", "near", defaults.near));
    settings.far = static_cast<float>(reader.getReal("camera", "far", defaults.far));
    return settings;
}

#include "gui/Font.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "gui/TextLayout.h"

namespace vexmolda {

namespace {

GlfFont font;
bool loaded = false;

std::vector<std::uint8_t> readWholeFile(const char* name, bool& opened) {
    std::vector<std::uint8_t> bytes;
    std::FILE* file = std::fopen(name, "rb");
    opened = file != nullptr;
    if (!file) return bytes;
    std::uint8_t buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + count);
    std::fclose(file);
    return bytes;
}

// Sends the quads as one batch against the font texture.
void emitQuads(const std::vector<GlyphQuad>& quads) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(font.textureName));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    for (const GlyphQuad& quad : quads) {
        glTexCoord2f(quad.tx1, quad.ty1);
        glVertex3f(quad.x0, quad.y0, 0);
        glTexCoord2f(quad.tx1, quad.ty2);
        glVertex3f(quad.x0, quad.y1, 0);
        glTexCoord2f(quad.tx2, quad.ty2);
        glVertex3f(quad.x1, quad.y1, 0);
        glTexCoord2f(quad.tx2, quad.ty1);
        glVertex3f(quad.x1, quad.y0, 0);
    }
    glEnd();
    // Untextured fills that follow must not sample the font.
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

void loadFont(const std::string& path) {
    bool opened = false;
    const std::vector<std::uint8_t> bytes = readWholeFile(path.c_str(), opened);
    if (!opened) return;
    if (loaded && font.textureName != 0) {
        const auto name = static_cast<GLuint>(font.textureName);
        glDeleteTextures(1, &name);
    }
    font = GlfFont{};
    loaded = false;
    std::optional<GlfFile> file = parseGlf(bytes);
    if (!file) return;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, file->font.width, file->font.height, 0, GL_LUMINANCE_ALPHA,
                 GL_UNSIGNED_BYTE, file->texels.data());
    // No mipmaps: a mipmapping minification filter would leave the text invisible.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    font = std::move(file->font);
    font.textureName = static_cast<std::int32_t>(name);
    loaded = true;
}

bool fontLoaded() { return loaded; }

const GlfFont& currentFont() { return font; }

void useFontMetrics(GlfFont metrics) {
    font = std::move(metrics);
    font.textureName = 0;
    loaded = !font.glyphs.empty() && font.glyphs[0].dy > 0;
}

float textWidth(std::string text, float size) {
    if (!loaded) return -1;
    return measureText(font, text, size);
}

float drawText(std::string text, float x, float y, float size, bool alignRight) {
    if (!loaded) return -1;
    std::vector<GlyphQuad> quads;
    const float width = layoutText(font, text, x, y, size, alignRight, quads);
    emitQuads(quads);
    return width;
}

void drawTextWrapped(std::string text, float x, float y, float wrapWidth, float maxHeight, float size) {
    if (!loaded) return;
    wrapText(font, text, wrapWidth, size);
    std::vector<GlyphQuad> quads;
    layoutWrapped(font, text, x, y, maxHeight, size, quads);
    emitQuads(quads);
}

}  // namespace vexmolda

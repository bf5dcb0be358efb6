Smooths the edges of a single-sample scene (texScene) at its own size, where a
software renderer draws anti-aliasing without samples: where the brightness
jumps, the scene is averaged along the edge; flat areas keep their texels as
they are. A program of its own, as small as it can be: a software rasterizer
runs every line of a shader for every pixel, the branches it does not take
included, and the post-processing effects would all be paid for here.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;

out vec2 uv;

void main()
{
    uv = texCoord;
    gl_Position = vec4(position, 0.0, 1.0);
}
##end

##start
##fragment
#version 330 compatibility

in vec2 uv;
out vec4 fragColor;

uniform sampler2D texScene;

float luma(vec3 c)
{
    return dot(c, vec3(0.299, 0.587, 0.114));
}

vec3 scene(vec2 at)
{
    return texture(texScene, at).rgb;
}

// Edges where the brightness jumps are blurred along their direction, found from the four
// diagonal neighbours; a blend that would leave the neighbourhood's range falls back to the
// nearer two samples. Flat areas keep the texel as it is.
vec3 smoothedScene(vec2 at)
{
    vec2 px = 1.0 / vec2(textureSize(texScene, 0));
    vec3 c = scene(at);
    float lc = luma(c);
    float lnw = luma(scene(at + vec2(-px.x, px.y)));
    float lne = luma(scene(at + px));
    float lsw = luma(scene(at - px));
    float lse = luma(scene(at + vec2(px.x, -px.y)));
    float lo = min(lc, min(min(lnw, lne), min(lsw, lse)));
    float hi = max(lc, max(max(lnw, lne), max(lsw, lse)));
    // At night most edges are dark: the threshold follows the brightness down to two steps.
    if (hi - lo < max(2.0 / 255.0, hi * 0.125))
        return c;
    vec2 dir = vec2((lsw + lse) - (lnw + lne), (lnw + lsw) - (lne + lse));
    float reduce = max((lnw + lne + lsw + lse) * 0.03125, 1.0 / 128.0);
    dir = clamp(dir / (min(abs(dir.x), abs(dir.y)) + reduce), vec2(-8.0), vec2(8.0)) * px;
    vec3 near = 0.5 * (scene(at - dir / 6.0) + scene(at + dir / 6.0));
    vec3 wide = 0.5 * near + 0.25 * (scene(at - dir * 0.5) + scene(at + dir * 0.5));
    float lw = luma(wide);
    return (lw < lo || lw > hi) ? near : wide;
}

void main()
{
    fragColor = vec4(smoothedScene(uv), 1.0);
}
##end

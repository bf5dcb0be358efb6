Resolves the scene onto the window (multisampled in texFramebuffer, or a
single sample in texScene when sampleCount is 1) and adds the screen effects:
grey while paused, the circular reveal at the start and end of a game, the
potion's colour drift, Death's static and the red of the final seconds, and
last the player's brightness as a gamma on the final colour (gamma 1 leaves
every value exactly as it is, so the power is skipped then: gammaChange is
the gamma less one).
A single-sample scene drawn smaller than the window is scaled up with linear
filtering (scaleUp). On a software renderer, where anti-aliasing is not drawn
with samples, the scene's edges are smoothed first, by this file built with
SMOOTH_EDGES defined: a program of its own at the scene's size that reads the
scene as texScene and writes it with its edges smoothed (where the
brightness jumps, the scene is averaged along the edge), which this pass then
reads as texScene. Apart, because a software rasterizer runs every line of a
shader for every pixel, the branches it does not take included: inside this
pass each smoothed pixel would pay for every effect.

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

uniform sampler2DMS texFramebuffer;
uniform sampler2D texScene;
uniform int sampleCount;
uniform float noiseFactor;
uniform float circleLoad;
uniform float time;
uniform bool isGrayscale;
uniform float potionFactor;
uniform bool endAnimation;
uniform bool scaleUp;
// The gamma less one, so that a program nobody set it for shows the scene unchanged.
uniform float gammaChange;

ivec2 sceneSize()
{
    return sampleCount > 1 ? textureSize(texFramebuffer) : textureSize(texScene, 0);
}

vec3 resolveScene(ivec2 texel)
{
    if (sampleCount <= 1)
        return texelFetch(texScene, texel, 0).rgb;
    int samples = sampleCount;
    vec3 sum = vec3(0.0);
    for (int i = 0; i < samples; ++i)
        sum += texelFetch(texFramebuffer, texel, i).rgb;
    return sum / float(samples);
}

vec3 scene(vec2 at)
{
    return texture(texScene, at).rgb;
}

float luma(vec3 c)
{
    return dot(c, vec3(0.299, 0.587, 0.114));
}

// Edges where the brightness jumps are blurred along their direction, found from the four
// diagonal neighbours; a blend that would leave the neighbourhood's range falls back to the
// nearer two samples. Flat areas keep the texel as it is.
// The centre and its neighbours lie on texel centres, where a filtered read returns the texel
// itself: they are fetched as they are, which costs a software renderer a quarter of a filtered
// read (edges clamp, as the texture's wrapping does).
vec3 sceneTexel(ivec2 texel, ivec2 size)
{
    return texelFetch(texScene, clamp(texel, ivec2(0), size - ivec2(1)), 0).rgb;
}

vec3 smoothedScene(vec2 at)
{
    ivec2 size = textureSize(texScene, 0);
    vec2 px = 1.0 / vec2(size);
    ivec2 t = ivec2(gl_FragCoord.xy);
    vec3 c = sceneTexel(t, size);
    float lc = luma(c);
    float lnw = luma(sceneTexel(t + ivec2(-1, 1), size));
    float lne = luma(sceneTexel(t + ivec2(1, 1), size));
    float lsw = luma(sceneTexel(t + ivec2(-1, -1), size));
    float lse = luma(sceneTexel(t + ivec2(1, -1), size));
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

#ifdef SMOOTH_EDGES
void main()
{
    fragColor = vec4(smoothedScene(uv), 1.0);
}
#else
float hash(vec2 p)
{
    return fract(sin(dot(p, vec2(12.9898, 78.233))) * 43758.5453);
}

void main()
{
    ivec2 size = sceneSize();
    vec2 wobble = vec2(0.0);
    if (potionFactor > 0.0)
        wobble = potionFactor * 0.01 * vec2(sin(uv.y * 20.0 + time * 3.0), cos(uv.x * 20.0 + time * 2.0));
    vec2 at = clamp(uv + wobble, vec2(0.0), vec2(1.0));
    ivec2 texel = clamp(ivec2(at * vec2(size)), ivec2(0), size - ivec2(1));
    vec3 color = sampleCount <= 1 && scaleUp ? scene(at) : resolveScene(texel);

    if (potionFactor > 0.0) {
        vec3 tint = vec3(0.6 + 0.4 * sin(time), 0.4, 0.8 + 0.2 * cos(time * 0.7));
        color = mix(color, color * tint * 1.4, clamp(potionFactor, 0.0, 1.0) * 0.5);
    }

    if (noiseFactor > 0.0) {
        float grain = hash(uv * vec2(size) + vec2(time * 61.0, time * 17.0));
        color = mix(color, vec3(grain), clamp(noiseFactor, 0.0, 1.0));
    }

    if (endAnimation)
        color = mix(color, vec3(color.r * 1.5 + 0.1, color.g * 0.3, color.b * 0.3), 0.6);

    if (isGrayscale) {
        float grey = dot(color, vec3(0.299, 0.587, 0.114));
        color = vec3(grey * 0.6);
    }

    // The reveal: a circle around the centre, in units where the screen's
    // half-height is 1, outside of which everything is black.
    vec2 centered = (uv - 0.5) * 2.0;
    centered.x *= float(size.x) / float(max(size.y, 1));
    float edge = 1.0 - smoothstep(circleLoad - 0.05, circleLoad, length(centered) * 0.7);
    color *= edge;
    if (gammaChange != 0.0)
        color = pow(max(color, vec3(0.0)), vec3(1.0 + gammaChange));
    fragColor = vec4(color, 1.0);
}
#endif
##end

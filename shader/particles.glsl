Rain, splashes, explosion sparks and the small bursts of cats, the jetpack
and the potion: 100000 points drawn every frame, moved here from their start.

Locations: 0 start position, 1 velocity, 2 colour, 3 params (x: the ground
height a drop dies at, or a size; y: gravity along -y), 4 (kind, spawn time,
end time). Uniforms: projMatrix, viewMatrix, viewProjMatrix, time,
depthBiasMV, flashLightIntensity, screenRes. A particle outside its life, or
a drop below its ground, is moved behind the far plane.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 start;
layout(location = 1) in vec3 velocity;
layout(location = 2) in vec4 color;
layout(location = 3) in vec2 params;
layout(location = 4) in vec3 kindTimes;

uniform mat4 viewMatrix;
uniform mat4 viewProjMatrix;
uniform mat4 projMatrix;
uniform float time;
uniform float flashLightIntensity;
uniform vec2 screenRes;

out vec4 particleColor;
flat out float kind;

void main()
{
    kind = kindTimes.x;
    float age = time - kindTimes.y;
    float life = kindTimes.z - kindTimes.y;
    vec3 p = start + velocity * age - vec3(0.0, 0.5 * params.y * age * age, 0.0);
    bool dead = age < 0.0 || time >= kindTimes.z;
    if (kind < 0.5 && p.y < params.x)
        dead = true; // the drop reached the ground
    if (dead) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        gl_PointSize = 0.0;
        particleColor = vec4(0.0);
        return;
    }
    vec4 eye = viewMatrix * vec4(p, 1.0);
    gl_Position = viewProjMatrix * vec4(p, 1.0);
    float fade = 1.0 - clamp(age / max(life, 0.001), 0.0, 1.0);
    float size = 0.08;
    if (kind > 2.5)
        size = 0.12 * max(params.x, 0.5);
    if (kind > 3.5 && kind < 4.5)
        size *= 0.5 + fade; // exhaust shrinks as it cools
    float pixels = size * projMatrix[1][1] / max(-eye.z, 0.05) * screenRes.y * 0.5;
    gl_PointSize = clamp(pixels, 1.0, 32.0);
    float alpha = kind < 0.5 ? 0.35 : (kind < 1.5 ? 0.5 : fade);
    // Sparks and bursts glow by themselves; water only shows in the light.
    float lit = kind < 1.5 ? 0.25 + 0.5 * flashLightIntensity : 1.0;
    particleColor = vec4(color.rgb * lit, color.a * alpha);
}
##end

##start
##fragment
#version 330 compatibility

in vec4 particleColor;
flat in float kind;
out vec4 fragColor;

void main()
{
    vec2 d = gl_PointCoord - vec2(0.5);
    float r = dot(d, d) * 4.0;
    if (r > 1.0)
        discard;
    fragColor = vec4(particleColor.rgb, particleColor.a * (1.0 - r));
}
##end

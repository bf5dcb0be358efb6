The lightning bolt: lines. Location 0 the position, location 1 (strength,
step index). "modelViewProjectionMatrix"; "timer" is the time since the
strike: the bolt grows down along its steps in the first tenth of a second
and fades within the second.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;
layout(location = 1) in vec2 strengthStep;

uniform mat4 modelViewProjectionMatrix;

out float stepIndex;
out float strength;

void main()
{
    stepIndex = strengthStep.y;
    strength = strengthStep.x;
    gl_Position = modelViewProjectionMatrix * vec4(position, 1.0);
}
##end

##start
##fragment
#version 330 compatibility

in float stepIndex;
in float strength;
uniform float timer;
out vec4 fragColor;

void main()
{
    float grown = timer * 400.0;
    if (stepIndex > grown)
        discard;
    float fade = clamp(1.0 - timer, 0.0, 1.0);
    float flicker = 0.6 + 0.4 * step(0.5, fract(timer * 13.0));
    fragColor = vec4(vec3(0.8, 0.85, 1.0) * (strength / 10.0), fade * flicker);
}
##end

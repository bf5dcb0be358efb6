Moon and stars: point sprites. Location 0 the point (model space), location
1 its size; "modelViewMatrix", "projMatrix", "viewportHeight" (pixels); the
sprite's texture is "diffuseTex" (unit 0). Sizes are in world units at the
point's distance and become pixels against the viewport's height, so the
moon covers the same share of the screen whatever the window.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;
layout(location = 1) in float size;

uniform mat4 modelViewMatrix;
uniform mat4 projMatrix;
uniform float viewportHeight;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    gl_Position = projMatrix * eye;
    // Projected size: world size over distance (a share of the viewport's
    // half-height), in the viewport's pixels.
    float pixels = size * projMatrix[1][1] / max(-eye.z, 0.001) * 0.5 * viewportHeight;
    gl_PointSize = clamp(pixels, 1.0, 256.0);
}
##end

##start
##fragment
#version 330 compatibility

uniform sampler2D diffuseTex;
out vec4 fragColor;

void main()
{
    vec4 c = texture(diffuseTex, vec2(gl_PointCoord.x, 1.0 - gl_PointCoord.y));
    // Black in the sprite's picture is sky: it shows nothing.
    float alpha = max(max(c.r, c.g), c.b);
    if (alpha < 0.02)
        discard;
    fragColor = vec4(c.rgb, alpha);
}
##end

The terrain, the world floor and the chunk-carried geometry at night.

Vertex format (four bytes, an unsigned integer vector at location 0): the
corner's position in steps from the mesh's origin, and the block type with
the face direction (0 -X, 1 -Y, 2 -Z, 3 +X, 4 +Y, 5 +Z) in its top three
bits. The mesh's origin and step come as constant attributes at locations 1
and 2. The block array texture is sampled at layer type - 1 with coordinates
projected along the face's axis, one texture repeat per world unit, so faces
of any size tile and a merged face shades exactly like the faces it joins.

Light: mainly the flashlight cone (flashLightPos, flashLightDir = its back
axis, flashLightFOV, flashLightIntensity) with its shadow map (depthTex,
depthBiasMV; the same map read without comparison as depthValues, whose nine
plain reads are cheaper than four filtered comparisons); a faint moonlight;
the lightning's flash lighting everything (lightning, lightningFactor, sunDir
in view space) in its own shadow when it is the current light;
the bonfire's flicker (firePos in view space, fireNoise); rain darkens the
ground; the fog closes in with fogFactor and the rain, by the distance from
eyePosition. With WITHOUT_FLASH_AND_FIRE defined the lightning and the
bonfire are left out, for frames where neither shows: a software rasterizer
runs every line for every pixel, the branches it does not take included, and
only those two need the view-space position. With WITHOUT_LAMP defined the
flashlight and its shadow map are left out, for the faces that lie wholly
outside its cone, where it adds nothing, in frames without lightning.

##start
##vertex
#version 330 compatibility

layout(location = 0) in uvec4 corner;
layout(location = 1) in vec3 meshOrigin;
layout(location = 2) in vec3 meshStep;

uniform mat4 modelMatrix;
uniform mat4 modelViewProjMatrix;
uniform vec3 eyePosition; // world space

// A software rasterizer sets up every output of every triangle, hidden or not: only the
// world position goes out, and the fragments derive the rest from it.
out vec3 worldPos;
flat out uint typeAndFace;

// Merged faces meet smaller ones in T-junctions, where rounding in the rasterizer can leave
// a pixel that neither covers. Each quad is grown by a quarter of a pixel or so (a fixed
// share of its distance) so that neighbours overlap instead. The corners of a quad come in
// a fixed order (see appendTerrainQuad): the vertex number tells which sides a corner is on.
// The depth shader grows them by the same expressions.
vec3 grownCorner(vec3 p, int faceIndex)
{
    int axis = faceIndex % 3;
    int k = gl_VertexID & 3;
    float su = (k == 1 || k == 2) ? 1.0 : -1.0;
    float sv = ((k >= 2) == (faceIndex >= 3)) ? 1.0 : -1.0;
    float grow = 0.0005 * length(p - eyePosition);
    vec3 d = vec3(0.0);
    d[(axis + 1) % 3] = su;
    d[(axis + 2) % 3] = sv;
    return p + d * grow;
}

void main()
{
    typeAndFace = corner.w;
    vec3 p = (modelMatrix * vec4(meshOrigin + meshStep * vec3(corner.xyz), 1.0)).xyz;
    worldPos = grownCorner(p, int(corner.w >> 5u));
    gl_Position = modelViewProjMatrix * vec4(worldPos, 1.0);
}
##end

##start
##fragment
#version 330 compatibility
// Four gathers read the nine texels of the lamp's shadow in four lookups where the driver
// has them (GLSL 4.00's comparing gather); the nine plain reads otherwise.
#extension GL_ARB_gpu_shader5 : enable

in vec3 worldPos;
flat in uint typeAndFace;

out vec4 fragColor;

uniform sampler2DArray diffuseTexArray;
uniform sampler2DShadow depthTex;
uniform sampler2D depthValues; // the same map, its depths read as they are
uniform mat4 viewMatrix;
uniform mat4 depthBiasMV;
uniform vec3 eyePosition;
uniform bool outsideShadow;
uniform float flashLightIntensity;
uniform float night;
uniform bool lightning;
uniform bool rain;
uniform float fogFactor;
uniform vec3 sunDir;
uniform vec3 flashLightPos;
uniform vec3 flashLightDir;
uniform float lightningFactor;
uniform float flashLightFOV;
uniform vec3 sunColor;
uniform vec3 firePos;
uniform float fireNoise;

// Fraction of the light reaching this point: four taps around it in the map.
float shadowAt(vec4 coord, float bias)
{
    if (coord.w <= 0.0)
        return 0.0;
    vec3 c = coord.xyz / coord.w;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        return outsideShadow ? 1.0 : 0.0;
    // Four taps half a texel around the point, each compared and filtered over its 2 x 2
    // texels: together a 3 x 3 block with weights (1 - f, 1, f) across and (1 - g, 1, g) up,
    // where f, g place the point within its texel. Nine plain reads give the same sum.
    ivec2 size = textureSize(depthTex, 0);
    vec2 at = c.xy * vec2(size) - 1.0;
    ivec2 first = ivec2(floor(at));
    vec2 f = at - vec2(first);
    float ref = clamp(c.z - bias, 0.0, 1.0);
    vec3 wx = vec3(1.0 - f.x, 1.0, f.x);
    vec3 wy = vec3(1.0 - f.y, 1.0, f.y);
#ifdef GL_ARB_gpu_shader5
    // Each gather compares the 2 x 2 texels around a texel corner: w is the lower left, z the
    // lower right, x the upper left, y the upper right. The corners at first + 1 and first + 3
    // cover the block's columns and rows first to first + 2 (the fourth ones weigh nothing).
    vec2 px = 1.0 / vec2(size);
    vec2 p0 = (vec2(first) + 1.0) * px;
    vec4 g00 = textureGather(depthTex, p0, ref);
    vec4 g10 = textureGather(depthTex, p0 + vec2(2.0 * px.x, 0.0), ref);
    vec4 g01 = textureGather(depthTex, p0 + vec2(0.0, 2.0 * px.y), ref);
    vec4 g11 = textureGather(depthTex, p0 + 2.0 * px, ref);
    float lit = wy.x * dot(wx, vec3(g00.w, g00.z, g10.w))
        + wy.y * dot(wx, vec3(g00.x, g00.y, g10.x))
        + wy.z * dot(wx, vec3(g01.w, g01.z, g11.w));
#else
    ivec2 top = size - ivec2(1);
    float lit = 0.0;
    for (int j = 0; j < 3; ++j) {
        int y = clamp(first.y + j, 0, top.y);
        vec3 row = vec3(
            ref <= texelFetch(depthValues, ivec2(clamp(first.x, 0, top.x), y), 0).r ? 1.0 : 0.0,
            ref <= texelFetch(depthValues, ivec2(clamp(first.x + 1, 0, top.x), y), 0).r ? 1.0 : 0.0,
            ref <= texelFetch(depthValues, ivec2(clamp(first.x + 2, 0, top.x), y), 0).r ? 1.0 : 0.0);
        lit += wy[j] * dot(wx, row);
    }
#endif
    return lit * 0.25;
}

void main()
{
    int face = int(typeAndFace >> 5u);
    float layer = max(float(typeAndFace & 31u) - 1.0, 0.0);
    // The face's normal from its direction.
    int axis = face % 3;
    vec3 n = vec3(0.0);
    n[axis] = face < 3 ? -1.0 : 1.0;
    vec2 uv = axis == 0 ? worldPos.zy : (axis == 1 ? worldPos.xz : worldPos.xy);
    vec4 albedo = texture(diffuseTexArray, vec3(uv, layer));
    vec3 base = albedo.rgb;
    if (rain)
        base *= 0.75;

    // The moon: a faint, cold light mostly from above.
    vec3 light = night > 0.5 ? vec3(0.10, 0.12, 0.2) * (0.45 + 0.55 * max(n.y, 0.0)) : vec3(0.6);

#ifndef WITHOUT_LAMP
    // The flashlight cone.
    vec3 toPoint = worldPos - flashLightPos;
    float dist = length(toPoint);
    vec3 dir = toPoint / max(dist, 1e-4);
    float cosAngle = dot(dir, -normalize(flashLightDir));
    float halfCone = radians(flashLightFOV * 0.5);
    float cone = smoothstep(cos(halfCone), cos(halfCone * 0.75), cosAngle);
    // One read of the map serves both lights: the lamp's own while it is the current
    // light, the flash's (with its larger bias) during lightning. A software rasterizer
    // runs every branch for every pixel, so a second call would cost nine more reads.
    float shadow = shadowAt(depthBiasMV * vec4(worldPos, 1.0), lightning ? 0.002 : 0.0008);
    if (cone > 0.0) {
        float facing = max(dot(n, -dir), 0.0);
        float reach = 1.0 / (1.0 + 0.0025 * dist * dist);
        float flashShadow = lightning ? 1.0 : shadow;
        light += vec3(1.0, 0.95, 0.85) * flashLightIntensity * 1.6 * cone * facing * reach * flashShadow;
    }
#else
    float shadow = 1.0; // read only by the lightning, which this program never shows
#endif

#ifndef WITHOUT_FLASH_AND_FIRE
    // The position and the normal in view space, where these two lights are given.
    vec3 viewPos = (viewMatrix * vec4(worldPos, 1.0)).xyz;
    vec3 nv = mat3(viewMatrix) * n;
    // The lightning: a cold flash over everything, shadowed by its own map
    // (sunDir is the flash's position in view space).
    if (lightning) {
        vec3 l = normalize(sunDir - viewPos);
        float flash = max(lightningFactor, 0.0);
        light += sunColor * vec3(0.7, 0.75, 1.0) * flash * (0.25 + 0.75 * max(dot(nv, l), 0.0))
            * (0.3 + 0.7 * shadow);
    }

    // The bonfire (firePos in view space).
    vec3 toFire = firePos - viewPos;
    float fireDist = length(toFire);
    if (fireDist < 40.0) {
        float fire = fireNoise * max(dot(nv, toFire / max(fireDist, 1e-4)), 0.0) / (1.0 + 0.08 * fireDist * fireDist);
        light += vec3(1.0, 0.55, 0.2) * fire * 3.0;
    }
#endif

    vec3 color = base * light;
    // Fog: night air swallows the distance, sooner in the rain.
    float viewDist = length(worldPos - eyePosition);
    float density = 0.012 + fogFactor * 0.05 + (rain ? 0.01 : 0.0);
    float fog = 1.0 - exp(-density * density * viewDist * viewDist);
    color = mix(color, vec3(0.006, 0.008, 0.016), clamp(fog, 0.0, 1.0));
    fragColor = vec4(color, 1.0);
}
##end

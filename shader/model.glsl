OBJ models: cats, Death, cages, signs, bonfires, items, the flashlight.

Locations: 0 position, 1 normal, 2 texture coordinate (the mesh table's
layout). "modelMatrix" × "meshMatrix" (the part's own placement) places the
part; "modelViewProjectionMatrix" is projection × view × modelMatrix. Light:
the flashlight as a light near the player ("sunDir", world space) shining
along the reverse of "flashLightDir" in a cone of "flashLightFOV" degrees,
with its shadow ("depthTex", "depthBiasMV"), a faint moon, the lightning's
flash, the bonfire ("firePos" in world space, "fireNoise"). "alwaysBright" models (the
held item) ignore the dark; "inHand" ones (the lamp and its hand) take the
lamp's light outside its cone; "golden" ones shine gold.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;

uniform mat4 modelMatrix;
uniform mat4 meshMatrix;
uniform mat4 modelViewProjectionMatrix;
uniform mat4 depthBiasMV;

out vec3 worldPos;
out vec3 worldNormal;
out vec2 uv;
out vec4 shadowCoord;

void main()
{
    vec4 local = meshMatrix * vec4(position, 1.0);
    vec4 world = modelMatrix * local;
    worldPos = world.xyz;
    mat3 m = mat3(modelMatrix) * mat3(meshMatrix);
    worldNormal = normalize(transpose(inverse(m)) * normal);
    uv = texCoord;
    shadowCoord = depthBiasMV * world;
    gl_Position = modelViewProjectionMatrix * local;
}
##end

##start
##fragment
#version 330 compatibility

in vec3 worldPos;
in vec3 worldNormal;
in vec2 uv;
in vec4 shadowCoord;
out vec4 fragColor;

uniform sampler2D diffuseTex;
uniform sampler2DShadow depthTex;
uniform vec3 sunDir;
uniform vec3 flashLightDir;
uniform float flashLightFOV;
uniform vec4 sunColor;
uniform bool outsideShadow;
uniform bool alwaysBright;
uniform bool inHand;
uniform vec3 firePos;
uniform float fireNoise;
uniform float night;
uniform bool lightning;
uniform float flashLightIntensity;
uniform bool golden;

float shadowAt(vec4 coord)
{
    if (coord.w <= 0.0)
        return 0.0;
    vec3 c = coord.xyz / coord.w;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        return outsideShadow ? 1.0 : 0.0;
    return texture(depthTex, vec3(c.xy, c.z - 0.002));
}

void main()
{
    vec4 albedo = texture(diffuseTex, uv);
    vec3 n = normalize(worldNormal);
    if (!gl_FrontFacing)
        n = -n;
    // The moon: the same faint, cold light mostly from above as on the terrain.
    vec3 light = night > 0.5 ? vec3(0.10, 0.12, 0.2) * (0.45 + 0.55 * max(n.y, 0.0)) : vec3(0.6);

    // The flashlight lights only what lies in its cone and its map sees, as
    // on the terrain: a cat or Death beside or behind the player stays dark.
    vec3 toLamp = sunDir - worldPos;
    float d = length(toLamp);
    vec3 fromLamp = -toLamp / max(d, 1e-4);
    float cosAngle = dot(fromLamp, -normalize(flashLightDir));
    float halfCone = radians(flashLightFOV * 0.5);
    // The lamp and the hand that holds it sit beside the lamp, in its spill.
    float cone = inHand ? 1.0 : smoothstep(cos(halfCone), cos(halfCone * 0.75), cosAngle);
    if (cone > 0.0) {
        float facing = max(dot(n, -fromLamp), 0.0);
        float flashShadow = lightning ? 1.0 : shadowAt(shadowCoord);
        light += vec3(1.0, 0.95, 0.85) * flashLightIntensity * 1.4 * cone * facing / (1.0 + 0.004 * d * d)
            * flashShadow;
    }
    if (lightning)
        light += sunColor.rgb * vec3(0.5, 0.55, 0.7);

    vec3 toFire = firePos - worldPos;
    float fd = length(toFire);
    light += vec3(1.0, 0.55, 0.2) * 3.0 * fireNoise * max(dot(n, toFire / max(fd, 1e-4)), 0.0)
        / (1.0 + 0.08 * fd * fd);

    if (alwaysBright)
        light = max(light, vec3(0.55) + 0.45 * max(n.y, 0.0));
    vec3 color = albedo.rgb * light;
    if (golden)
        color = mix(color, vec3(1.0, 0.8, 0.25) * (0.4 + light), 0.5);
    fragColor = vec4(color, albedo.a);
}
##end

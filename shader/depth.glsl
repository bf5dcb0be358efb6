The light's depth pass into the shadow map: terrain corners only (the
world shader's format: steps at location 0, the mesh's origin and step at 1
and 2), seen through the light camera ("projview").

##start
##vertex
#version 330 compatibility

layout(location = 0) in uvec4 corner;
layout(location = 1) in vec3 meshOrigin;
layout(location = 2) in vec3 meshStep;

uniform mat4 projview;

void main()
{
    gl_Position = projview * vec4(meshOrigin + meshStep * vec3(corner.xyz), 1.0);
}
##end

##start
##fragment
#version 330 compatibility

void main()
{
}
##end
